#include <cstdio>
#include <optional>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/DefaultPrinter.h"
#include "cli/JsonText.h"
#include "link/PortDiscovery.h"

namespace kestrel::cli {
namespace {

// {"usb": [{"node": ..., "hardwareId": ...}], "serial": [...]}; an unreadable
// identifier is an empty text.
void PrintPortsJson(const std::vector<UsbPrinterInfo>& printers, const std::vector<std::string>& serialPorts,
                    const std::optional<DefaultValue>& port) {
  std::string json = "{\"usb\": [";
  for (std::size_t i = 0; i < printers.size(); ++i)
    json += std::string(i ? ", " : "") + "{\"node\": " + JsonString(printers[i].node) +
            ", \"hardwareId\": " + JsonString(printers[i].hardwareId) + "}";
  json += "],\n \"serial\": [";
  for (std::size_t i = 0; i < serialPorts.size(); ++i) json += (i ? ", " : "") + JsonString(serialPorts[i]);
  json += "],\n \"default\": ";
  json += port ? "{\"port\": " + JsonString(port->value) + ", \"from\": " + JsonString(port->source) + "}" : "null";
  json += "}\n";
  WriteOut(json);
}

// Whether the default port names this entry of the list: "usb" the first USB
// printer, a bare device name its path.
bool IsDefault(const std::optional<DefaultValue>& port, const std::string& entry, bool firstUsb) {
  if (!port) return false;
  if (port->value == "usb" || port->value == "USB") return firstUsb;
  return port->value == entry || "/dev/" + port->value == entry;
}

std::string DefaultMark(const std::optional<DefaultValue>& port) { return "  (default, from " + port->source + ")"; }

}  // namespace

// The USB printers with their hardware identifiers, then the serial ports in
// the order the window's port-type list shows them after "USB".
ExitStatus RunListPorts(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseOptionsOnly(command, args, options)) return UsageError(&command, *problem);

  const PortDiscovery& discovery = SystemPortDiscovery();
  const std::vector<UsbPrinterInfo> printers = discovery.UsbPrinters();
  const std::vector<std::string> serialPorts = ListSerialPorts(discovery);
  const PrinterDefaults& defaults = CurrentPrinterDefaults();
  if (defaults.problem) std::fprintf(stderr, "kestrel-cli: list-ports: %s\n", defaults.problem->c_str());
  const std::optional<DefaultValue>& port = defaults.port;
  if (options.extras.count("--json")) {
    PrintPortsJson(printers, serialPorts, port);
    return ExitStatus::kDone;
  }
  bool marked = false;
  const auto mark = [&](const std::string& entry, bool firstUsb) {
    const bool isDefault = IsDefault(port, entry, firstUsb);
    marked = marked || isDefault;
    return isDefault ? DefaultMark(port) : std::string();
  };
  PrintOut("USB printers:\n");
  if (printers.empty()) PrintOut("  (none)\n");
  for (std::size_t i = 0; i < printers.size(); ++i) {
    const std::string id = printers[i].hardwareId.empty() ? "(identifier unreadable)" : printers[i].hardwareId;
    PrintOut("  %s  %s%s\n", printers[i].node.c_str(), id.c_str(), mark(printers[i].node, i == 0).c_str());
  }
  PrintOut("Serial ports:\n");
  for (const std::string& serial : serialPorts) PrintOut("  %s%s\n", serial.c_str(), mark(serial, false).c_str());
  if (port && !marked) PrintOut("Default port: %s (from %s; not present)\n", port->value.c_str(), port->source.c_str());
  return ExitStatus::kDone;
}

}  // namespace kestrel::cli
