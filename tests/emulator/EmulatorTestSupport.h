#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/JobSettings.h"
#include "emulator/Canvas.h"

namespace kestrel::test {

// The bytes of a job as `kestrel-cli compose` makes them, in Chinese (936) or
// English (1252), at the fixed test time unless the context sets another.
std::vector<std::uint8_t> JobBytes(const std::string& job, std::int32_t codePage, JobContext context = {});

// Every symbol a scanner library finds on a page, as "TYPE:data" (the
// library's names: "QR-Code", "CODE-128", "EAN-13", ...), sorted.
// The page gets a white margin first, as the paper around a label has.
std::vector<std::string> ScanSymbols(const emu::Canvas& page);

}  // namespace kestrel::test
