#include "cli/PortNaming.h"

namespace kestrel::cli {

const char* const kSerialPortExample = "/dev/ttyUSB0";
const char* const kPortMeaning = "usb (the first USB printer), a serial device path such as /dev/ttyUSB0, or COMn";
const char* const kPortParagraph = "\nPORT is usb (the first USB printer), a serial device path, or COMn.\n";

}  // namespace kestrel::cli
