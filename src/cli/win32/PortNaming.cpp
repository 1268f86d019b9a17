#include "cli/PortNaming.h"

namespace kestrel::cli {

const char* const kSerialPortExample = "COM3";
const char* const kPortMeaning =
    "usb (the first USB printer), a COM port such as COM3 (COM10 and above too), or a network printer "
    "tcp:HOST[:PORT] (port 9100 when not given)";
const char* const kPortParagraph =
    "\nPORT is usb (the first USB printer), a COM port (COM1, COM3, COM10, ... as list-ports shows them), or\n"
    "tcp:HOST[:PORT] (a network printer, port 9100 when not given).\n";

}  // namespace kestrel::cli
