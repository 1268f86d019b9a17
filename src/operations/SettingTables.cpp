#include "operations/SettingTables.h"

#include <iterator>

namespace kestrel {
namespace {

struct LabelArea {
  std::int32_t widthDots;
  std::int32_t heightDots;
};

// The label-size list in its order: 56, 48 and 72 mm of printable width at
// 8 dots per millimetre; the height leaves 4 mm of the label's length.
constexpr LabelArea kLabelAreaTable[] = {
    {448, 128}, {448, 208}, {448, 288}, {448, 368},              // 60mm * 20 to 50mm
    {384, 128}, {384, 208}, {384, 288}, {384, 368},              // 58(48)mm * 20 to 50mm
    {576, 128}, {576, 208}, {576, 288}, {576, 368}, {576, 448},  // 80(72)mm * 20 to 60mm
};

// UPC-A, UPC-E, JAN13, JAN8, CODE39, ITF, CODE93, CODE128: the list has no
// CODABAR, so 71 is never chosen here.
constexpr std::int32_t kBarcodeTable[] = {65, 66, 67, 68, 69, 70, 72, 73};

struct BaudCode {
  const char* text;
  std::int32_t code;
};
constexpr BaudCode kPrinterBaudTable[] = {
    {"9600", 0x01}, {"19200", 0x02}, {"38400", 0x03}, {"57600", 0x04}, {"115200", 0x05},
};

}  // namespace

bool LabelAreaFor(int index, std::int32_t* widthDots, std::int32_t* heightDots) {
  if (index < 0 || index >= static_cast<int>(std::size(kLabelAreaTable))) return false;
  *widthDots = kLabelAreaTable[index].widthDots;
  *heightDots = kLabelAreaTable[index].heightDots;
  return true;
}

std::int32_t BarcodeSystemFor(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kBarcodeTable))) return -1;
  return kBarcodeTable[index];
}

std::int32_t PrinterBaudCode(const std::string& rateText) {
  for (const BaudCode& entry : kPrinterBaudTable)
    if (rateText == entry.text) return entry.code;
  return 0x01;
}

}  // namespace kestrel
