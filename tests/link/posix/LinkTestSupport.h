#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "link/FakeLinkHost.h"
#include "link/LinkPaths.h"
#include "link/PrinterLink.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// A fake /sys, /dev and lock folder in a temporary folder with usblp
// printers. A printer's node is a pseudo-terminal in raw mode: a character
// device as usblp gives, whose bytes the test reads on the other side.
class FakeUsbTree {
 public:
  enum class Node { kPrinter, kRegularFile, kFifo, kMissing };
  enum class Identifier { kVendorProduct, kIeee1284Only, kNone };

  FakeUsbTree();
  ~FakeUsbTree();
  LinkPaths paths() const { return {root_.path() + "/sys", root_.path() + "/dev", root_.path() + "/lock"}; }
  std::string NodePath(int number) const;
  void AddPrinter(int number, Node node = Node::kPrinter, Identifier id = Identifier::kVendorProduct);
  void RemovePrinter(int number);
  // Everything a printer received so far, or the content of a file node.
  std::string NodeContent(int number);
  // The printer's side of a kPrinter node.
  PtyPair& PrinterSide(int number) { return *printers_.at(number); }
  const std::string& root() const { return root_.path(); }

 private:
  TempDir root_;
  std::map<int, std::unique_ptr<PtyPair>> printers_;
  std::map<int, std::string> received_;
};

// A link test: the Chinese interface, the window's start-up selections, a
// fake window and an empty fake device tree.
class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Writes the bytes of a hex text through the link.
  bool Write(PrinterLink& link, const std::string& hex);

  FakeUsbTree tree_;
  FakeLinkHost host_;
};

}  // namespace kestrel::test
