#include "language/CodePageText.h"

namespace kestrel {

std::size_t Utf8SequenceLength(const char* at, std::size_t left) {
  const unsigned char lead = static_cast<unsigned char>(*at);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  std::size_t taken = 1;
  while (taken < length && taken < left && (static_cast<unsigned char>(at[taken]) & 0xC0) == 0x80) ++taken;
  return taken;
}

}  // namespace kestrel
