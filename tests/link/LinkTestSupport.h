#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/FakeLinkHost.h"
#include "link/FakePortDiscovery.h"
#include "link/PrinterLink.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// A printer at the end of a line: a character device the link opens as a USB
// printer node or as a serial port, whose bytes the test reads on the other
// side. On Linux a pseudo-terminal in raw mode, read on a thread of its own;
// under Wine a pseudo-terminal mapped as a COM port, which socat copies into
// a file.
class PrinterLine {
 public:
  PrinterLine();
  ~PrinterLine();
  PrinterLine(const PrinterLine&) = delete;
  PrinterLine& operator=(const PrinterLine&) = delete;

  // The device the link opens.
  const std::string& Device() const;
  // Everything the printer received, once at least `count` bytes arrived and
  // nothing more came for a moment, or `limit` passed.
  std::string Received(std::size_t count = 0, std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

 private:
  // What arrived so far.
  std::string Arrived() const;

  struct State;
  std::unique_ptr<State> state_;
};

// A link test: the Chinese interface, the window's start-up selections, a
// fake window and a port list of the test's own, at first empty.
class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Writes the bytes of a hex text through the link.
  bool Write(PrinterLink& link, const std::string& hex);
  // A new printer line, listed as the last USB printer with a hardware
  // identifier.
  PrinterLine& AddUsbPrinter();

  FakePortDiscovery ports_;
  FakeLinkHost host_;
  std::vector<std::unique_ptr<PrinterLine>> lines_;
};

}  // namespace kestrel::test
