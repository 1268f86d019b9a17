#include <windows.h>

#include "link/LinkTestSupport.h"
#include "support/win32/HostShell.h"

namespace kestrel::test {

// The port opens through the device namespace as every COM port does, so the
// same name serves as a USB printer's device path and as a serial port.
struct PrinterLine::State {
  MappedComPort port;
  std::string device = "\\\\.\\" + port.Name();
};

PrinterLine::PrinterLine() : state_(std::make_unique<State>()) {
  for (int waited = 0; !state_->port.Ready() && waited < 5000; waited += 10) Sleep(10);
  EXPECT_TRUE(state_->port.Ready()) << "no COM port mapped onto a pseudo-terminal (is socat installed?)";
}

PrinterLine::~PrinterLine() = default;

const std::string& PrinterLine::Device() const { return state_->device; }

std::string PrinterLine::Arrived() const {
  const std::vector<std::uint8_t> wire = state_->port.Wire();
  return std::string(wire.begin(), wire.end());
}

}  // namespace kestrel::test
