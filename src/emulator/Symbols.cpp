#include "emulator/Symbols.h"

#include <zint.h>

#include <algorithm>
#include <memory>

#include "emulator/Code128.h"

namespace kestrel::emu {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using ZintSymbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// GS k systems 65 to 73 as libzint symbologies; the EAN/UPC systems take
// their data without the check digit, which the symbology computes.
struct SystemRule {
  int symbology;
  std::size_t withCheckDigit;  // a data length whose last digit is the check digit; 0 for none
};
// Systems 74 (GS1-128) and 78 (GS1 DataBar Expanded) are not printed: 0.
constexpr SystemRule kSystems[] = {
    {BARCODE_UPCA, 12},    {BARCODE_UPCE, 8},
    {BARCODE_EANX, 13},    {BARCODE_EANX, 8},
    {BARCODE_CODE39, 0},   {BARCODE_C25INTER, 0},
    {BARCODE_CODABAR, 0},  {BARCODE_CODE93, 0},
    {BARCODE_CODE128, 0},  {0, 0},
    {BARCODE_DBAR_OMN, 0}, {BARCODE_DBAR_OMN, 0},
    {BARCODE_DBAR_LTD, 0}, {0, 0},
    {BARCODE_CODE128, 0},
};

// A code set chosen in the data ("{A", "{B", "{C") is the printer's business;
// the encoder picks its own sets, so the selectors go and "{{" is a brace.
std::string WithoutCodeSets(const std::string& data) {
  if (data.size() < 2 || data[0] != '{') return data;
  std::string plain;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '{' && i + 1 < data.size()) {
      if (data[i + 1] == '{') plain += '{';
      ++i;
      continue;
    }
    plain += data[i];
  }
  return plain;
}

// Encodes and draws at one dot a module; for a bar code the top row, which
// every bar crosses (the guard bars of EAN and UPC reach further down); for
// a stacked symbol one row of dots a row of the symbol.
enum class Rows { Top, All, SymbolRows };
Symbol Draw(ZintSymbol symbol, const std::string& data, Rows rowsKept) {
  Symbol result;
  symbol->input_mode = DATA_MODE;
  symbol->show_hrt = 0;
  symbol->output_options |= BARCODE_NO_QUIET_ZONES;
  symbol->scale = 0.5f;
  int status =
      ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
  if (status < ZINT_ERROR) status = ZBarcode_Buffer(symbol.get(), 0);
  if (status >= ZINT_ERROR || symbol->bitmap == nullptr) {
    result.problem = symbol->errtxt;
    return result;
  }
  result.text = reinterpret_cast<const char*>(symbol->text);
  const int width = symbol->bitmap_width;
  const int height = symbol->bitmap_height;
  const int rows = rowsKept == Rows::Top ? 1 : rowsKept == Rows::All ? height : std::max(symbol->rows, 1);
  result.modules.Resize(width, rows);
  for (int row = 0; row < rows; ++row) {
    const int pixelRow = rowsKept == Rows::SymbolRows ? (2 * row + 1) * height / (2 * rows) : row;
    const unsigned char* rgb = symbol->bitmap + 3L * width * pixelRow;
    for (int column = 0; column < width; ++column)
      if (rgb[3 * column] < 128) result.modules.Fill(column, row, 1, 1);
  }
  return result;
}

}  // namespace

Symbol EncodeBarcode(std::int32_t system, std::span<const std::uint8_t> bytes) {
  if (system >= 0 && system <= 6) system += 65;
  if (system < 65 || system > 79 || kSystems[system - 65].symbology == 0)
    return {{}, {}, "bar code system " + std::to_string(system) + " is not printed", {}};
  if (system == 73)
    if (std::optional<Symbol> sets = EncodeCode128Sets(bytes)) return *sets;
  const SystemRule& rule = kSystems[system - 65];
  std::string data(bytes.begin(), bytes.end());
  std::string sentCheck;
  if (rule.withCheckDigit != 0 && data.size() == rule.withCheckDigit) {
    sentCheck = data.substr(data.size() - 1);
    data.pop_back();
  }
  if (rule.symbology == BARCODE_CODE128) data = WithoutCodeSets(data);
  ZintSymbol symbol(ZBarcode_Create());
  symbol->symbology = rule.symbology;
  symbol->height = 1.0f;
  Symbol result = Draw(std::move(symbol), data, Rows::Top);
  if (!sentCheck.empty() && !result.text.empty() && result.text.back() != sentCheck[0])
    result.note = "check digit " + sentCheck + " replaced by " + result.text.back();
  return result;
}

Symbol EncodeQrCode(std::span<const std::uint8_t> bytes, std::int32_t level) {
  ZintSymbol symbol(ZBarcode_Create());
  symbol->symbology = BARCODE_QRCODE;
  symbol->option_1 = level >= 48 && level <= 51 ? level - 47 : 1;
  return Draw(std::move(symbol), std::string(bytes.begin(), bytes.end()), Rows::All);
}

Symbol EncodePdf417(std::span<const std::uint8_t> bytes, int columns, int rows, int errorLevel, bool truncated) {
  ZintSymbol symbol(ZBarcode_Create());
  symbol->symbology = truncated ? BARCODE_PDF417COMP : BARCODE_PDF417;
  symbol->option_1 = errorLevel;
  symbol->option_2 = columns;
  symbol->option_3 = rows;
  return Draw(std::move(symbol), std::string(bytes.begin(), bytes.end()), Rows::SymbolRows);
}

}  // namespace kestrel::emu
