#include "cli/PortNaming.h"

namespace kestrel::cli {

const char* const kSerialPortExample = "COM3";
const char* const kPortMeaning = "usb (the first USB printer) or a COM port such as COM3 (COM10 and above too)";
const char* const kPortParagraph =
    "\nPORT is usb (the first USB printer) or a COM port: COM1, COM3, COM10, ... as list-ports shows them.\n";

}  // namespace kestrel::cli
