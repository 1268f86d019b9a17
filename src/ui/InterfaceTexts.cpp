#include "ui/InterfaceTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "language/TranslationMap.h"
#include "link/PortDiscovery.h"
#include "ui/DialogBuilder.h"

namespace kestrel {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

void FillList(const DialogBuilder& controls, int id, const std::vector<std::string>& items, int selected,
              bool translated = false) {
  auto* list = controls.ControlAs<QComboBox>(id);
  if (!list) return;
  list->clear();
  for (const std::string& item : items) list->addItem(Text(translated ? Translate(item) : item));
  list->setCurrentIndex(selected);
}

void SetEditText(const DialogBuilder& controls, int id, const char* text) {
  if (auto* edit = controls.ControlAs<QLineEdit>(id)) edit->setText(QString::fromUtf8(text));
}

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

std::vector<std::string> PortListEntries(const LinkPaths& paths) { return PortTypeEntries(paths); }

void FillStartupContents(const DialogBuilder& controls, const std::vector<std::string>& ports) {
  FillList(controls, 1000, ports, 0);
  FillList(controls, 1001, BaudRateItems(), 7);
  if (QWidget* baud = controls.Control(1001)) baud->setEnabled(false);
  FillList(controls, 1010, PaperTypeItems(), 2, true);
  FillList(controls, 1011, PrintDirectionItems(), 0, true);
  FillList(controls, 1012, LabelSizeItems(), 3);
  FillList(controls, 1013, BarcodeTypeItems(), 7);
  FillList(controls, 1029, DensityItems(), 2);
  SetEditText(controls, 1022, "35");
  if (auto* console = controls.ControlAs<QTextEdit>(1039)) {
    // The text box keeps lines as paragraphs; CR LF in the source text marks them.
    console->setPlainText(Text(ConsoleDefaultText(InterfaceIsChinese())).remove(QLatin1Char('\r')));
  }
  SetEditText(controls, 1034, "1");
  FillList(controls, 1073, PrintSpeedItems(), 0);
  SetEditText(controls, 1047, "3000");
  FillList(controls, 1075, LabelSizeItems(), 2);
  SetEditText(controls, 1044, "1");
  FillList(controls, 1085, PrinterBaudRateItems(), 4);
}

void ApplyCaptions(const DialogBuilder& controls) {
  for (std::size_t row = 0; row < kCaptionCount; ++row) {
    const CaptionEntry& entry = kCaptionTable[row];
    const QString caption = Text(Translate(entry.key));
    QWidget* control = controls.Control(entry.control);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setText(caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
      group->setTitle(caption);
    }
  }
}

}  // namespace kestrel
