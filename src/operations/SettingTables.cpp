#include "operations/SettingTables.h"

namespace kestrel {

bool LabelAreaFor(int, std::int32_t*, std::int32_t*) { return false; }
std::int32_t BarcodeSystemFor(int) { return -1; }
std::int32_t PrinterBaudCode(const std::string&) { return 1; }

}  // namespace kestrel
