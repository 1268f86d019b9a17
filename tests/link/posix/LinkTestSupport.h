#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/FakeLinkHost.h"
#include "link/LinkPaths.h"
#include "link/PrinterLink.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// A fake /sys and /dev in a temporary folder with usblp printers.
class FakeUsbTree {
 public:
  enum class Node { kRegularFile, kFifo, kMissing };
  enum class Identifier { kVendorProduct, kIeee1284Only, kNone };

  FakeUsbTree();
  LinkPaths paths() const { return {root_.path() + "/sys", root_.path() + "/dev"}; }
  std::string NodePath(int number) const;
  void AddPrinter(int number, Node node = Node::kRegularFile, Identifier id = Identifier::kVendorProduct);
  void RemovePrinter(int number);
  std::string NodeContent(int number) const;
  const std::string& root() const { return root_.path(); }

 private:
  TempDir root_;
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
