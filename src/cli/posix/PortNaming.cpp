#include "cli/PortNaming.h"

namespace kestrel::cli {

const char* const kSerialPortExample = "/dev/ttyUSB0";
const char* const kPortMeaning =
    "usb (the first USB printer), a serial device path such as /dev/ttyUSB0, COMn, or a network printer "
    "tcp:HOST[:PORT] (port 9100 when not given)";
const char* const kPortParagraph =
    "\nPORT is usb (the first USB printer), a serial device path, COMn, or tcp:HOST[:PORT] (a network printer,\n"
    "port 9100 when not given).\n";

}  // namespace kestrel::cli
