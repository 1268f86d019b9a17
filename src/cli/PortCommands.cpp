#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/JsonText.h"
#include "link/PortDiscovery.h"

namespace kestrel::cli {
namespace {

// {"usb": [{"node": ..., "hardwareId": ...}], "serial": [...]}; an unreadable
// identifier is an empty text.
void PrintPortsJson(const std::vector<UsbPrinterInfo>& printers, const std::vector<std::string>& serialPorts) {
  std::string json = "{\"usb\": [";
  for (std::size_t i = 0; i < printers.size(); ++i)
    json += std::string(i ? ", " : "") + "{\"node\": " + JsonString(printers[i].node) +
            ", \"hardwareId\": " + JsonString(printers[i].hardwareId) + "}";
  json += "],\n \"serial\": [";
  for (std::size_t i = 0; i < serialPorts.size(); ++i) json += (i ? ", " : "") + JsonString(serialPorts[i]);
  json += "]}\n";
  WriteOut(json);
}

}  // namespace

// The USB printers with their hardware identifiers, then the serial ports in
// the order the window's port-type list shows them after "USB".
ExitStatus RunListPorts(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);

  const PortDiscovery& discovery = SystemPortDiscovery();
  const std::vector<UsbPrinterInfo> printers = discovery.UsbPrinters();
  const std::vector<std::string> serialPorts = ListSerialPorts(discovery);
  if (options.extras.count("--json")) {
    PrintPortsJson(printers, serialPorts);
    return ExitStatus::kDone;
  }
  PrintOut("USB printers:\n");
  if (printers.empty()) PrintOut("  (none)\n");
  for (const UsbPrinterInfo& printer : printers) {
    const std::string id = printer.hardwareId.empty() ? "(identifier unreadable)" : printer.hardwareId;
    PrintOut("  %s  %s\n", printer.node.c_str(), id.c_str());
  }
  PrintOut("Serial ports:\n");
  for (const std::string& port : serialPorts) PrintOut("  %s\n", port.c_str());
  return ExitStatus::kDone;
}

}  // namespace kestrel::cli
