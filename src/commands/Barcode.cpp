#include "commands/Barcode.h"

#include <cstring>

#include "commands/SendBuffer.h"

namespace kestrel {
namespace {

// The messages that take a bar code's place in the print when its data break
// a rule. They are printed as they are, so they are kept as GBK bytes; the
// UTF-8 reading stands beside each one.
constexpr const char* kWrongSystem = "\xCC\xF5\xC2\xEB\xC0\xE0\xD0\xCD\xD3\xD0\xCE\xF3\n";  // 条码类型有误
constexpr const char* kNotDigits = "\xC4\xDA\xC8\xDD\xD3\xA6\xCE\xAA\xCA\xFD\xD7\xD6\n";    // 内容应为数字
constexpr const char* kNotConforming = "\xC4\xDA\xC8\xDD\xB2\xBB\xB7\xFB\xBA\xCF\n";        // 内容不符合
constexpr const char* kWrongInput = "\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD\xD3\xD0\xCE\xF3\n";   // 输入内容有误

// 字符个数应在在 (the number of characters must be within), then the range.
#define KESTREL_LENGTH_MESSAGE(range) "\xD7\xD6\xB7\xFB\xB8\xF6\xCA\xFD\xD3\xA6\xD4\xDA\xD4\xDA" range "\n"
constexpr const char* kLength11To12 = KESTREL_LENGTH_MESSAGE("11-12");
constexpr const char* kLength6To7 = KESTREL_LENGTH_MESSAGE("6-7");
constexpr const char* kLength12To13 = KESTREL_LENGTH_MESSAGE("12-13");
constexpr const char* kLength7To8 = KESTREL_LENGTH_MESSAGE("7-8");
constexpr const char* kLength0To255 = KESTREL_LENGTH_MESSAGE("0-255");
constexpr const char* kLength1To255 = KESTREL_LENGTH_MESSAGE("1-255");
constexpr const char* kLength2To255 = KESTREL_LENGTH_MESSAGE("2-255");
#undef KESTREL_LENGTH_MESSAGE

using ByteRule = bool (*)(unsigned char byte);

bool AnyByte(unsigned char) { return true; }
bool Digit(unsigned char byte) { return byte >= '0' && byte <= '9'; }
bool SevenBit(unsigned char byte) { return byte <= 0x7F; }
bool CodabarByte(unsigned char byte) {
  return Digit(byte) || (byte >= 'A' && byte <= 'D') || (byte != 0 && std::strchr("$+-./:", byte) != nullptr);
}

struct SystemRule {
  std::int32_t system;
  std::size_t minLength;
  std::size_t maxLength;
  ByteRule accepts;
  const char* lengthMessage;
  const char* contentMessage;
};

// GS k carries the data length in one byte, so no system takes more than 255
// bytes; CODE39 has no rule of its own otherwise.
constexpr SystemRule kRules[] = {
    {65, 11, 12, Digit, kLength11To12, kNotDigits},            // UPC-A
    {66, 6, 7, Digit, kLength6To7, kNotDigits},                // UPC-E
    {67, 12, 13, Digit, kLength12To13, kNotDigits},            // JAN13 (EAN13)
    {68, 7, 8, Digit, kLength7To8, kNotDigits},                // JAN8 (EAN8)
    {69, 0, 255, AnyByte, kLength0To255, nullptr},             // CODE39
    {70, 1, 255, Digit, kLength1To255, kNotDigits},            // ITF
    {71, 1, 255, CodabarByte, kLength1To255, kNotConforming},  // CODABAR
    {72, 1, 255, SevenBit, kLength1To255, kWrongInput},        // CODE93
    {73, 2, 255, SevenBit, kLength2To255, kWrongInput},        // CODE128
};

const SystemRule* FindRule(std::int32_t system) {
  for (const SystemRule& rule : kRules)
    if (rule.system == system) return &rule;
  return nullptr;
}

// The message that replaces the bar code, or nullptr when the data are fine.
// The length is checked before the content.
const char* RuleBroken(const std::string& data, std::int32_t system) {
  const SystemRule* rule = FindRule(system);
  if (rule == nullptr) return kWrongSystem;
  if (data.size() < rule->minLength || data.size() > rule->maxLength) return rule->lengthMessage;
  for (const char byte : data)
    if (!rule->accepts(static_cast<unsigned char>(byte))) return rule->contentMessage;
  return nullptr;
}

std::uint8_t LowByte(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

std::int32_t ComposeBarcode(const std::string& data, std::int32_t system, std::int32_t moduleWidth, std::int32_t height,
                            std::int32_t textPosition) {
  ImageWriter out;
  if (const char* message = RuleBroken(data, system)) {
    out.Put(message);
    return out.Count();
  }
  out.Put({0x1D, 0x48, LowByte(textPosition)});
  out.Put({0x1D, 0x68, LowByte(height)});
  out.Put({0x1D, 0x77, LowByte(moduleWidth)});
  out.Put({0x1D, 0x6B, LowByte(system), LowByte(static_cast<std::int32_t>(data.size()))});
  out.Put(data);
  return out.Count();
}

std::int32_t ComposeQrCode(const std::string& text) {
  ImageWriter out;
  // The store command counts cn, fn and m along with the text; p is 16 bits,
  // so a longer text cannot be stored and nothing is written for it.
  const std::size_t stored = text.size() + 3;
  if (stored > 0xFFFF) return 0;
  out.Put({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x43, 0x05});  // module size 5 dots
  out.Put({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x45, 0x30});  // error correction L
  out.Put({0x1D, 0x28, 0x6B, static_cast<std::uint8_t>(stored & 0xFF), static_cast<std::uint8_t>(stored >> 8), 0x31,
           0x50, 0x30});
  out.Put(text);
  out.Put({0x1B, 0x61, 0x31});                                // centre
  out.Put({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x51, 0x30});  // print the stored symbol
  out.Put({0x1B, 0x61, 0x30});                                // left
  return out.Count();
}

bool AppendBarcode(const std::string& data, std::int32_t system, std::int32_t moduleWidth, std::int32_t height,
                   std::int32_t textPosition) {
  return AppendImage(ComposeBarcode(data, system, moduleWidth, height, textPosition));
}

bool AppendQrCode(const std::string& text) { return AppendImage(ComposeQrCode(text)); }

}  // namespace kestrel
