#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// Bar code systems m of GS k, and the positions of their human-readable text (GS H).
inline constexpr std::int32_t kUpcA = 65;
inline constexpr std::int32_t kCode128 = 73;
inline constexpr std::int32_t kNoBarText = 0;
inline constexpr std::int32_t kTextBelowBars = 2;

// Checks data against the rules of bar code system m (65 to 73) and writes
// GS H, GS h, GS w and GS k into ImageBuffer, or the GBK message that takes
// the bar code's place when a rule is broken. Returns the byte count.
std::int32_t ComposeBarcode(const std::string& data, std::int32_t system, std::int32_t moduleWidth, std::int32_t height,
                            std::int32_t textPosition);

// Writes the GS ( k sequence of a QR code of the text into ImageBuffer.
std::int32_t ComposeQrCode(const std::string& text);

// Encode into ImageBuffer, then append the output to SendBuffer.
bool AppendBarcode(const std::string& data, std::int32_t system, std::int32_t moduleWidth, std::int32_t height,
                   std::int32_t textPosition);
bool AppendQrCode(const std::string& text);

}  // namespace kestrel
