#pragma once

#include <array>
#include <cstdint>

// The commands that ask the printer for an answer. Each goes out on its own,
// never through SendBuffer, so asking never disturbs a composed job.
namespace kestrel::cmd {

using QueryBytes = std::array<std::uint8_t, 3>;

// --- ESC/POS: status and identity -----------------------------------------
// DLE EOT n: real-time status; 1 printer, 2 offline cause, 3 error cause,
// 4 paper roll sensor. Answered at once, even while the printer is busy.
constexpr QueryBytes DleEot(std::uint8_t n) { return {0x10, 0x04, n}; }
// GS I n: printer ID; 1 model, 2 type, 3 ROM version, 65 firmware, 66 maker,
// 67 model name, 68 serial number, 69 code page (fonts fitted).
constexpr QueryBytes GsI(std::uint8_t n) { return {0x1D, 0x49, n}; }
// GS r n: status, 1 paper sensor, 2 drawer. Answered only once the printer
// has processed everything received before it.
constexpr QueryBytes GsR(std::uint8_t n) { return {0x1D, 0x72, n}; }
// GS a n: automatic status back; n selects the items whose change is sent
// (bit 0 drawer, 1 online/offline, 2 errors, 3 paper sensor), 0 turns it off.
constexpr QueryBytes GsA(std::uint8_t n) { return {0x1D, 0x61, n}; }

}  // namespace kestrel::cmd
