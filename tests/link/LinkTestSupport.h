#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "link/LinkHost.h"
#include "link/LinkPaths.h"
#include "link/PrinterLink.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// Stands in for the window: the lists' selection and texts, and a record of
// everything the link shows or enables.
class FakeLinkHost : public LinkHost {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };

  int PortSelection() const override { return selection; }
  std::string PortText() const override { return portText; }
  std::string BaudText() const override { return baudText; }
  bool AgingRunning() const override { return aging; }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.push_back({text, caption});
  }
  void SetConnectCaption(const std::string& caption) override { captions.push_back(caption); }
  void EnablePortList(bool enabled) override { portListEnabled = enabled; }
  void EnableBaudList(bool enabled) override { baudListEnabled = enabled; }

  // Selects a serial port by its text, as a pick in the port-type list does.
  void SelectSerial(const std::string& text) {
    selection = 1;
    portText = text;
  }
  std::string Caption() const { return captions.empty() ? "" : captions.back(); }

  int selection = 0;
  std::string portText = "USB";
  std::string baudText = "115200";
  std::atomic<bool> aging = false;
  std::vector<Message> messages;
  std::vector<std::string> captions;
  bool portListEnabled = true;
  bool baudListEnabled = false;
};

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
