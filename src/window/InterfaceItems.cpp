#include "window/InterfaceItems.h"

#include "language/TranslationMap.h"
#include "link/PortDiscovery.h"
#include "window/ControlIds.h"

namespace kestrel {

namespace {

std::vector<std::string> Translated(const std::vector<std::string>& items) {
  std::vector<std::string> shown;
  for (const std::string& item : items) shown.push_back(Translate(item));
  return shown;
}

StartupContent List(int id, std::vector<std::string> items, int selected) {
  return {id, std::move(items), selected, {}};
}
StartupContent EditText(int id, std::string text) { return {id, {}, -1, std::move(text)}; }

}  // namespace

const std::vector<std::string>& BaudRateItems() {
  static const std::vector<std::string> items{"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
  return items;
}

const std::vector<std::string>& PaperTypeItems() {
  static const std::vector<std::string> items{"连续纸", "标签纸(回收)", "标签纸(不回收)"};
  return items;
}

const std::vector<std::string>& PrintDirectionItems() {
  static const std::vector<std::string> items{"由左到右", "由下到上", "由右到左", "由上到下"};
  return items;
}

const std::vector<std::string>& LabelSizeItems() {
  static const std::vector<std::string> items{
      "60mm * 20mm ",     "60mm * 30mm ",     "60mm * 40mm ",     "60mm * 50mm ",     "58(48)mm * 20mm ",
      "58(48)mm * 30mm ", "58(48)mm * 40mm ", "58(48)mm * 50mm ", "80(72)mm * 20mm ", "80(72)mm * 30mm ",
      "80(72)mm * 40mm ", "80(72)mm * 50mm ", "80(72)mm * 60mm "};
  return items;
}

const std::vector<std::string>& BarcodeTypeItems() {
  static const std::vector<std::string> items{"UPC-A", "UPC-E", "JAN13", "JAN8", "CODE39", "ITF", "CODE93", "CODE128"};
  return items;
}

std::vector<std::string> DensityItems() {
  std::vector<std::string> items;
  for (int level = 1; level <= 8; ++level) items.push_back("Level_" + std::to_string(level));
  return items;
}

std::vector<std::string> PrintSpeedItems() {
  std::vector<std::string> items{"1"};
  for (int step = 1; step <= 24; ++step) items.push_back(std::to_string(10 * step));
  return items;
}

const std::vector<std::string>& PrinterBaudRateItems() {
  static const std::vector<std::string> items{"9600", "19200", "38400", "57600", "115200"};
  return items;
}

std::string ConsoleDefaultText(bool chinese) {
  std::string text = "1234567890ABCDEFGHIJKLMNOPQRSTUV\r\nWXYZabcdefgjilklmnopqrstuvwxyz&*\r\n";
  if (chinese) text += "Tarnwick打印机品牌\r\n";
  return text;
}

std::string WindowTitle(const std::string& versionText) { return Translate("Kestrel") + " - " + versionText; }

std::vector<std::string> PortListEntries(const PortDiscovery& discovery) { return PortTypeEntries(discovery); }

std::vector<StartupContent> StartupContents(const std::vector<std::string>& ports) {
  return {
      List(kPortList, ports, 0),
      List(kBaudList, BaudRateItems(), 7),
      List(kPaperTypeList, Translated(PaperTypeItems()), 2),
      List(kDirectionList, Translated(PrintDirectionItems()), 0),
      List(kLabelSizeList, LabelSizeItems(), 3),
      List(kBarcodeTypeList, BarcodeTypeItems(), 7),
      List(kDensityList, DensityItems(), 2),
      EditText(kBackfeedEdit, "35"),
      EditText(kConsoleBox, ConsoleDefaultText(InterfaceIsChinese())),
      EditText(kConsoleCountEdit, "1"),
      List(kSpeedList, PrintSpeedItems(), 0),
      EditText(kIntervalEdit, "3000"),
      List(kAgingSizeList, LabelSizeItems(), 2),
      EditText(kCopiesEdit, "1"),
      List(kPrinterBaudList, PrinterBaudRateItems(), 4),
  };
}

const std::vector<std::string>& HistoryLines() {
  static const std::vector<std::string> lines{
      "V1.0.2（20210222）",    "1、更新每次按钮打印发送数据都会重新连接一下设备",
      "2、版本号更新为V1.0.2", "\t",
      "V1.0.1（20201220）",    "\t\t初始版本！",
  };
  return lines;
}

}  // namespace kestrel
