#include <cstdio>

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "link/PortDiscovery.h"

namespace kestrel::cli {

// The USB printers with their hardware identifiers, then the serial ports in
// the order the window's port-type list shows them after "USB".
int RunListPorts(const Arguments& args) {
  if (!args.empty()) return UsageError("list-ports takes no arguments");

  PrintOut("USB printers:\n");
  const std::vector<UsbPrinterInfo> printers = ListUsbPrinters();
  if (printers.empty()) PrintOut("  (none)\n");
  for (const UsbPrinterInfo& printer : printers) {
    const std::string id = printer.hardwareId.empty() ? "(identifier unreadable)" : printer.hardwareId;
    PrintOut("  %s  %s\n", printer.node.c_str(), id.c_str());
  }

  PrintOut("Serial ports:\n");
  for (const std::string& port : ListSerialPorts()) PrintOut("  %s\n", port.c_str());
  return 0;
}

}  // namespace kestrel::cli
