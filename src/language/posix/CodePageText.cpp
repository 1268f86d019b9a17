#include "language/CodePageText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace kestrel {
namespace {

const char* IconvName(std::int32_t codePage) {
  switch (codePage) {
    case 936: return "GBK";
    case 54936: return "GB18030";
    case 950: return "BIG5";
    case 932: return "CP932";
    case 949: return "CP949";
    case 65001: return "UTF-8";
    default: return "CP1252";
  }
}

// Runs iconv over the whole input; an input sequence the target lacks is
// replaced by `replacement` and skipped (`skip` tells how far).
template <typename SkipFn>
std::string Convert(const std::string& input, const char* to, const char* from, const std::string& replacement,
                    SkipFn skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return input;
  std::string output;
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char chunk[256];
  // iconv is handed a small window of the input at a time: glibc converts
  // ahead over all it is given and does that again after every sequence the
  // target lacks, so a whole text of them would take quadratic time.
  constexpr std::size_t kWindow = 64;
  while (inLeft > 0) {
    const std::size_t window = std::min(inLeft, kWindow);
    std::size_t windowLeft = window;
    char* out = chunk;
    std::size_t outLeft = sizeof(chunk);
    const std::size_t result = iconv(cd, &in, &windowLeft, &out, &outLeft);
    const std::size_t consumed = window - windowLeft;
    inLeft -= consumed;
    output.append(chunk, static_cast<std::size_t>(out - chunk));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // A sequence cut by the window's end is whole in the next window.
    if (errno == EINVAL && windowLeft < inLeft && consumed > 0) continue;
    // EILSEQ, or EINVAL at the input's end: an unconvertible or incomplete sequence.
    const std::size_t step = std::min(inLeft, skip(static_cast<unsigned char>(*in), in, inLeft));
    in += step;
    inLeft -= step;
    output += replacement;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* out = chunk;
  std::size_t outLeft = sizeof(chunk);
  iconv(cd, nullptr, nullptr, &out, &outLeft);
  output.append(chunk, static_cast<std::size_t>(out - chunk));
  iconv_close(cd);
  return output;
}

}  // namespace

std::string ToCodePage(const std::string& utf8, std::int32_t codePage) {
  return Convert(utf8, IconvName(codePage), "UTF-8", "?",
                 [](unsigned char, const char* at, std::size_t left) { return Utf8SequenceLength(at, left); });
}

std::string FromCodePage(const std::string& bytes, std::int32_t codePage) {
  // A lead byte without its trail byte, or an unmapped byte, becomes '?' as well.
  return Convert(bytes, "UTF-8", IconvName(codePage), "?",
                 [](unsigned char, const char*, std::size_t) { return std::size_t{1}; });
}

}  // namespace kestrel
