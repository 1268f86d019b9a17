#pragma once

namespace kestrel::cli {

// How the system names its printer ports, for the help's texts and examples:
// device paths on Linux, COM ports on Windows.
extern const char* const kSerialPortExample;  // "/dev/ttyUSB0", "COM3"
extern const char* const kPortMeaning;        // the --port row of the help
extern const char* const kPortParagraph;      // under the options of a command that takes --port

}  // namespace kestrel::cli
