#include "emulator/Code128.h"

#include <string>
#include <vector>

namespace kestrel::emu {
namespace {

// The bar and space widths of the code values 0 to 105 and of the stop
// pattern, bar first, in modules.
constexpr const char* kPatterns[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212", "221213", "221312",
    "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211",  "221132", "221231", "213212",
    "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",  "212123", "212321", "232121",
    "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113",  "231311", "112133", "112331",
    "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113",  "213311", "213131", "311123",
    "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",  "111224", "111422", "121124",
    "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112",  "142211", "241211", "221114",
    "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112",  "124211", "411212", "421112",
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113",  "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

constexpr int kShift = 98;
constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStop = 106;

enum class Set { A, B, C };

struct Encoding {
  std::vector<int> values;
  std::string text;  // the human-readable text
  std::string problem;
};

// A character of set A (00 to 5F) or B (20 to 7F) as its value; -1 when the
// set lacks it.
int ValueIn(Set set, std::uint8_t byte) {
  if (set == Set::A) return byte < 0x20 ? byte + 64 : byte < 0x60 ? byte - 32 : -1;
  return byte >= 0x20 && byte < 0x80 ? byte - 32 : -1;
}

// "{x" in set `set`; false when x names nothing there.
bool Escape(Encoding& code, Set& set, bool& shifted, std::uint8_t name) {
  const bool letters = set != Set::C;
  switch (name) {
    case 'A':
    case 'B':
    case 'C': {
      const Set to = name == 'A' ? Set::A : name == 'B' ? Set::B : Set::C;
      if (to == set) return false;
      code.values.push_back(to == Set::A ? 101 : to == Set::B ? 100 : 99);
      set = to;
      return true;
    }
    case 'S':
      if (!letters) return false;
      code.values.push_back(kShift);
      shifted = true;
      return true;
    case '1':
      code.values.push_back(kFnc1);
      return true;
    case '2':
    case '3':
      if (!letters) return false;
      code.values.push_back(name == '2' ? 97 : 96);
      return true;
    case '4':
      if (!letters) return false;
      code.values.push_back(set == Set::A ? 101 : 100);
      return true;
    case '{':
      if (set != Set::B) return false;
      code.values.push_back('{' - 32);
      code.text += '{';
      return true;
    default:
      return false;
  }
}

Encoding Encode(std::span<const std::uint8_t> data) {
  Encoding code;
  Set set = data[1] == 'A' ? Set::A : data[1] == 'B' ? Set::B : Set::C;
  code.values.push_back(kStartA + static_cast<int>(set));
  bool shifted = false;
  for (std::size_t i = 2; i < data.size(); ++i) {
    const std::uint8_t byte = data[i];
    if (byte == '{' && !shifted) {
      if (i + 1 == data.size()) return {{}, {}, "the data ends in a '{'"};
      if (!Escape(code, set, shifted, data[++i]))
        return {{},
                {},
                "\"{" + std::string(1, static_cast<char>(data[i])) + "\" is not allowed in code set " +
                    std::string(1, static_cast<char>('A' + static_cast<int>(set)))};
      continue;
    }
    if (set == Set::C && !shifted) {
      if (byte > 99) return {{}, {}, "code set C takes values 0 to 99, not " + std::to_string(byte)};
      code.values.push_back(byte);
      code.text += static_cast<char>('0' + byte / 10);
      code.text += static_cast<char>('0' + byte % 10);
      continue;
    }
    const Set in = shifted ? (set == Set::A ? Set::B : Set::A) : set;
    shifted = false;
    const int value = ValueIn(in, byte);
    if (value < 0) return {{}, {}, "byte " + std::to_string(byte) + " is not in its code set"};
    code.values.push_back(value);
    code.text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : ' ';
  }
  if (code.values.size() == 1) return {{}, {}, "no data after the code set"};
  return code;
}

}  // namespace

std::optional<Symbol> EncodeCode128Sets(std::span<const std::uint8_t> data) {
  if (data.size() < 2 || data[0] != '{' || data[1] < 'A' || data[1] > 'C') return std::nullopt;
  Encoding code = Encode(data);
  Symbol symbol;
  if (!code.problem.empty()) {
    symbol.problem = code.problem;
    return symbol;
  }
  int check = code.values[0];
  for (std::size_t i = 1; i < code.values.size(); ++i) check += static_cast<int>(i) * code.values[i];
  code.values.push_back(check % 103);
  code.values.push_back(kStop);
  int width = 0;
  for (int value : code.values)
    for (const char* w = kPatterns[value]; *w != '\0'; ++w) width += *w - '0';
  symbol.modules.Resize(width, 1);
  int x = 0;
  for (int value : code.values) {
    bool bar = true;
    for (const char* w = kPatterns[value]; *w != '\0'; ++w, bar = !bar) {
      if (bar) symbol.modules.Fill(x, 0, *w - '0', 1);
      x += *w - '0';
    }
  }
  symbol.text = code.text;
  return symbol;
}

}  // namespace kestrel::emu
