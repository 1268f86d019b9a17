#include "emulator/PrinterText.h"

#include <iconv.h>

#include <vector>

namespace kestrel::emu {
namespace {

// One converter per thread, opened on first use and kept.
class Converter {
 public:
  Converter(const char* to) : handle_(iconv_open(to, "GB18030")) {}
  ~Converter() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `bytes`; false when a byte sequence is not a character.
  bool Convert(std::span<const std::uint8_t> bytes, std::string& out) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    std::vector<char> buffer(bytes.size() * 4 + 8);
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const bool done = iconv(handle_, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    out.assign(buffer.data(), outPtr);
    return done && inLeft == 0;
  }

 private:
  iconv_t handle_;
};

}  // namespace

char32_t CharacterOf(std::span<const std::uint8_t> bytes) {
  if (bytes.size() == 1 && bytes[0] < 0x80) return bytes[0];
  thread_local Converter converter("UTF-32LE");
  std::string out;
  if (!converter.Convert(bytes, out) || out.size() != 4) return U'\uFFFD';
  return static_cast<char32_t>(static_cast<std::uint8_t>(out[0]) | static_cast<std::uint8_t>(out[1]) << 8 |
                               static_cast<std::uint8_t>(out[2]) << 16 | static_cast<std::uint8_t>(out[3]) << 24);
}

std::string PrinterTextToUtf8(std::span<const std::uint8_t> bytes) {
  thread_local Converter converter("UTF-8");
  std::string out;
  if (converter.Convert(bytes, out)) return out;
  return out + "\xEF\xBF\xBD";
}

}  // namespace kestrel::emu
