#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <map>

#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "ui/CAboutDlg.h"
#include "ui/CKestrelDlg.h"
#include "ui/Dialog_About.h"
#include "ui/InterfaceTexts.h"
#include "ui/ResourcePictures.h"
#include "ui/WindowTestSupport.h"
#include "version/Version.h"
#include "window/ControlIds.h"
#include "window/DialogTemplate.h"

namespace kestrel {
namespace {

using test::ModalWatcher;

QStringList Items(const CKestrelDlg& window, int id) {
  QStringList items;
  auto* list = window.ControlAs<QComboBox>(id);
  for (int row = 0; list && row < list->count(); ++row) items << list->itemText(row);
  return items;
}

QString CaptionOf(const QWidget* control) {
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  return {};
}

QStringList Strings(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts) list << QString::fromUtf8(text);
  return list;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseTemporaryDataFolder();
    JobSettings = JobSettingsRecord{};
  }
  void TearDown() override { JobSettings = JobSettingsRecord{}; }

  std::unique_ptr<CKestrelDlg> MakeWindow(std::int32_t codePage) {
    LoadTranslations(codePage);
    return std::make_unique<CKestrelDlg>(nullptr, ports_);
  }

  test::FakePortDiscovery ports_;  // no USB printer, no serial port: COM1 to COM9 listed
};

class StartupTest : public MainWindowTest, public ::testing::WithParamInterface<std::int32_t> {
 protected:
  bool Chinese() const { return GetParam() == 936; }
};

TEST_P(StartupTest, ListsHoldTheirItemsAndInitialSelection) {
  auto window = MakeWindow(GetParam());
  EXPECT_EQ(Items(*window, kPortList),
            Strings({"USB", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}));
  EXPECT_EQ(Items(*window, kBaudList), Strings({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
  EXPECT_EQ(Items(*window, kPaperTypeList), Chinese()
                                                ? Strings({"连续纸", "标签纸(回收)", "标签纸(不回收)"})
                                                : Strings({"Continuous", "Label(recycle)", "Label(not recycle)"}));
  EXPECT_EQ(Items(*window, kDirectionList),
            Chinese() ? Strings({"由左到右", "由下到上", "由右到左", "由上到下"})
                      : Strings({"Left to right", "Bottom to top", "Right to left", "Top to bottom"}));
  const QStringList sizes = Strings({"60mm * 20mm ", "60mm * 30mm ", "60mm * 40mm ", "60mm * 50mm ", "58(48)mm * 20mm ",
                                     "58(48)mm * 30mm ", "58(48)mm * 40mm ", "58(48)mm * 50mm ", "80(72)mm * 20mm ",
                                     "80(72)mm * 30mm ", "80(72)mm * 40mm ", "80(72)mm * 50mm ", "80(72)mm * 60mm "});
  EXPECT_EQ(Items(*window, kLabelSizeList), sizes);
  EXPECT_EQ(Items(*window, kAgingSizeList), sizes);
  EXPECT_EQ(Items(*window, kBarcodeTypeList),
            Strings({"UPC-A", "UPC-E", "JAN13", "JAN8", "CODE39", "ITF", "CODE93", "CODE128"}));
  EXPECT_EQ(Items(*window, kDensityList),
            Strings({"Level_1", "Level_2", "Level_3", "Level_4", "Level_5", "Level_6", "Level_7", "Level_8"}));
  EXPECT_EQ(Items(*window, kSpeedList),
            Strings({"1",   "10",  "20",  "30",  "40",  "50",  "60",  "70",  "80",  "90",  "100", "110", "120",
                     "130", "140", "150", "160", "170", "180", "190", "200", "210", "220", "230", "240"}));
  EXPECT_EQ(Items(*window, kPrinterBaudList), Strings({"9600", "19200", "38400", "57600", "115200"}));

  const std::pair<int, const char*> selected[] = {
      {kPortList, "USB"},        {kBaudList, "115200"}, {kLabelSizeList, "60mm * 50mm "}, {kBarcodeTypeList, "CODE128"},
      {kDensityList, "Level_3"}, {kSpeedList, "1"},     {kAgingSizeList, "60mm * 40mm "}, {kPrinterBaudList, "115200"},
  };
  for (const auto& [id, text] : selected)
    EXPECT_EQ(window->ControlAs<QComboBox>(id)->currentText(), QString::fromUtf8(text)) << id;
  EXPECT_EQ(window->ControlAs<QComboBox>(kPaperTypeList)->currentIndex(), 2);
  EXPECT_EQ(window->ControlAs<QComboBox>(kDirectionList)->currentIndex(), 0);
}

TEST_P(StartupTest, EditsStartWithTheirTextsAndOnlyTheBaudListIsDisabled) {
  auto window = MakeWindow(GetParam());
  const std::pair<int, const char*> edits[] = {
      {kBackfeedEdit, "35"}, {kConsoleCountEdit, "1"}, {kCopiesEdit, "1"}, {kIntervalEdit, "3000"}};
  for (const auto& [id, text] : edits) EXPECT_EQ(window->ControlAs<QLineEdit>(id)->text(), QString(text)) << id;
  EXPECT_EQ(window->ControlAs<QLabel>(kSendCountDisplay)->text(), QString("0"));
  EXPECT_FALSE(window->ControlAs<QCheckBox>(kHexBox)->isChecked());

  const QString console = window->ControlAs<QTextEdit>(kConsoleBox)->toPlainText();
  const QString latin = "1234567890ABCDEFGHIJKLMNOPQRSTUV\nWXYZabcdefgjilklmnopqrstuvwxyz&*\n";
  EXPECT_EQ(console, Chinese() ? latin + QString::fromUtf8("Tarnwick打印机品牌\n") : latin);

  for (const DialogControl& control : MainWindowTemplate().controls) {
    if (control.id <= 0) continue;
    EXPECT_EQ(window->Control(control.id)->isEnabled(), control.id != kBaudList) << control.id;
  }
}

TEST_P(StartupTest, EveryCaptionOfTheCaptionTableIsInTheInterfaceLanguage) {
  auto window = MakeWindow(GetParam());
  ASSERT_EQ(kCaptionCount, 55u);
  for (std::size_t row = 0; row < kCaptionCount; ++row) {
    const CaptionEntry& entry = kCaptionTable[row];
    EXPECT_EQ(CaptionOf(window->Control(entry.control)), QString::fromUtf8(Chinese() ? entry.key : entry.english))
        << entry.control;
  }
}

TEST_P(StartupTest, HiddenControlsStayHiddenAfterShowing) {
  auto window = MakeWindow(GetParam());
  window->show();
  for (int id : {k80x20Button, kCustomLabelButton, kDesignLabelButton, kCustomWidthEdit, kCustomHeightEdit,
                 kLine1Button, kLine2Button, kPrint1Button, kPrint2Button}) {
    ASSERT_NE(window->Control(id), nullptr) << id;
    EXPECT_FALSE(window->Control(id)->isVisible()) << id;
  }
  EXPECT_EQ(window->Control(kSmallFontButton)->isVisible(), Chinese());
  EXPECT_TRUE(window->Control(kBarcodeButton)->isVisible());
}

// What a screen reader and UI automation find: every edit, list and check box
// named in the interface language after the caption beside it, with its
// group's caption in front where another control shares that caption. (On
// Linux a list reports its current item as its name and is labelled through
// the relation to its label.)
TEST_P(StartupTest, EveryEditListAndCheckBoxHasTheNameOfItsCaption) {
  auto window = MakeWindow(GetParam());
  const std::vector<std::tuple<int, const char*, const char*>> rows = {
      {kPortList, "端口类型", "Type"},
      {kBaudList, "波特率", "Port Info: Baud rate"},
      {kPaperTypeList, "纸张类型", "Paper type"},
      {kDirectionList, "打印方向", "Print direction"},
      {kBackfeedEdit, "打印前回退", "Offset"},
      {kDensityList, "打印浓度", "Density"},
      {kSpeedList, "打印速度", "Speed"},
      {kCopiesEdit, "打印份数", "Print copies"},
      {kPrinterBaudList, "串口波特率", "Common parameter: Baud rate"},
      {kIntervalEdit, "打印间隔", "Print interval"},
      {kAgingSizeList, "尺寸选择", "Size"},
      {kLabelSizeList, "标签尺寸", "Label size"},
      {kBarcodeTypeList, "条码类型", "BarCode"},
      {kConsoleCountEdit, "发送次数", "Send coies"},
      {kConsoleBox, "标准模式", "Standard mode"},
      {kHexBox, "标准模式 HEX", "Standard mode HEX"}};
  for (const auto& [id, chinese, english] : rows) {
    EXPECT_EQ(window->Control(id)->accessibleName(), QString::fromUtf8(Chinese() ? chinese : english)) << id;
  }
  QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(window->Control(kCopiesEdit));
  EXPECT_EQ(edit->text(QAccessible::Name), QString::fromUtf8(Chinese() ? "打印份数" : "Print copies"));
  const auto labels =
      QAccessible::queryAccessibleInterface(window->Control(kDensityList))->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name), QString::fromUtf8(Chinese() ? "打印浓度:" : "Density:"));

  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) || qobject_cast<QCheckBox*>(control) ||
        qobject_cast<QTextEdit*>(control) || qobject_cast<QListWidget*>(control)) {
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }
}

// No two controls the operator can reach answer to the same name, so a
// screen reader or a test driver tells them apart; buttons that share a
// caption take their group's. The edit of a list that takes typing is part
// of that list and bears its name.
TEST_P(StartupTest, EveryControlTheOperatorReachesHasANameOfItsOwn) {
  auto window = MakeWindow(GetParam());
  window->show();
  std::map<QString, QString> owners;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisible() ||
        !(qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
          qobject_cast<QComboBox*>(control) || qobject_cast<QTextEdit*>(control) ||
          qobject_cast<QListWidget*>(control)) ||
        qobject_cast<QComboBox*>(control->parentWidget()))
      continue;
    const QString name = control->accessibleName().isEmpty()
                             ? QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name)
                             : control->accessibleName();
    const QString owner = QString::fromUtf8(control->metaObject()->className()) + " " + CaptionOf(control);
    EXPECT_FALSE(name.isEmpty()) << owner.toStdString();
    const auto [previous, added] = owners.emplace(name, owner);
    EXPECT_TRUE(added) << name.toStdString() << ": " << previous->second.toStdString() << " and "
                       << owner.toStdString();
  }
  EXPECT_GT(owners.size(), 40u);
  const std::vector<std::tuple<int, const char*, const char*>> shared = {
      {kSelfTestButton, "自检页", "Common parameter: Selftest"},
      {kPrintSelfTestButton, "打印自检页", "Single test: Selftest"},
      {kStandardModeButton, "标准模式: 标准模式", "Standard mode: Standard mode"},
      {kConsoleSendButton, "发送", "Send"}};
  for (const auto& [id, chinese, english] : shared) {
    const QString name = QAccessible::queryAccessibleInterface(window->Control(id))->text(QAccessible::Name);
    EXPECT_EQ(name, QString::fromUtf8(Chinese() ? chinese : english)) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, StartupTest, ::testing::Values(936, 1252));

TEST_F(MainWindowTest, ChineseCaptionsDifferFromTheTemplateWhereTheTableSaysSo) {
  auto window = MakeWindow(936);
  EXPECT_EQ(CaptionOf(window->Control(kPortTypeLabel)), QString::fromUtf8("端口类型:"));
  EXPECT_EQ(CaptionOf(window->Control(kBaudLabel)), QString::fromUtf8("波特率:"));
  EXPECT_EQ(CaptionOf(window->Control(kBackfeedLabel)), QString::fromUtf8("打印前回退:"));
  EXPECT_EQ(CaptionOf(window->Control(kPrint2Button)), QString::fromUtf8("打印测试2"));
}

TEST_F(MainWindowTest, EnglishCaptionsKeepTheirSpelling) {
  auto window = MakeWindow(1252);
  EXPECT_EQ(CaptionOf(window->Control(kConsoleCountLabel)), QString("Send coies:"));
  EXPECT_EQ(CaptionOf(window->Control(k60mmGroup)), QString("Test label(2.33\")"));
  EXPECT_EQ(CaptionOf(window->Control(kHexBox)), QString("HEX"));
  EXPECT_EQ(CaptionOf(window->Control(k60x20Button)), QString("60*20"));
}

TEST_F(MainWindowTest, TitleCarriesTheVersionText) {
  auto window = MakeWindow(1252);
  EXPECT_EQ(window->windowTitle().toStdString(), "Kestrel - " + GetVersionText());
  EXPECT_EQ(WindowTitle(FormatVersionText("1.0.0.16")), "Kestrel - V1.0.0.16");
  EXPECT_EQ(WindowTitle(FormatVersionText("")), "Kestrel - ");
}

TEST_F(MainWindowTest, BackgroundPictureFillsTheClientArea) {
  const QImage background = ResourceImage(131);
  ASSERT_FALSE(background.isNull());
  auto window = MakeWindow(936);
  window->show();
  const QImage shown = window->grab().toImage();
  const QImage expected = background.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  for (const QPoint corner : {QPoint(1, 1), QPoint(shown.width() - 2, shown.height() - 2)}) {
    const QColor a = shown.pixelColor(corner);
    const QColor b = expected.pixelColor(corner);
    EXPECT_NEAR(a.red(), b.red(), 3);
    EXPECT_NEAR(a.green(), b.green(), 3);
    EXPECT_NEAR(a.blue(), b.blue(), 3);
  }
}

TEST_F(MainWindowTest, SizeMessageReloadsTheHiddenLabelSizeEdits) {
  auto window = MakeWindow(936);
  LabelSettings& settings = GetLabelSettings();
  const std::int32_t width = settings.ReadSettingInt("CustomLabel", "CustomLabel_Width");
  const std::int32_t height = settings.ReadSettingInt("CustomLabel", "CustomLabel_Height");
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", 400);
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Height", 244);
  CKestrelDlg::NotifyCustomLabelSizeChanged(window.get());
  EXPECT_EQ(window->ControlAs<QLineEdit>(kCustomWidthEdit)->text(), QString("50.00"));
  EXPECT_EQ(window->ControlAs<QLineEdit>(kCustomHeightEdit)->text(), QString("30.50"));

  // Only the message reloads; a changed file alone changes nothing.
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", 404);
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Height", 248);
  EXPECT_EQ(window->ControlAs<QLineEdit>(kCustomWidthEdit)->text(), QString("50.00"));
  CKestrelDlg::NotifyCustomLabelSizeChanged(window.get());
  EXPECT_EQ(window->ControlAs<QLineEdit>(kCustomWidthEdit)->text(), QString("50.50"));
  EXPECT_EQ(window->ControlAs<QLineEdit>(kCustomHeightEdit)->text(), QString("31.00"));

  settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", width);
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Height", height);
}

TEST_F(MainWindowTest, F8InTheConsoleBoxOpensTheHistoryOnce) {
  auto window = MakeWindow(1252);
  window->show();
  QStringList lines;
  QString className;
  ModalWatcher watcher([&](QWidget* dialog) {
    className = dialog->metaObject()->className();
    if (auto* list = dialog->findChild<QListWidget*>())
      for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    dialog->close();
  });
  QTest::keyClick(window->Control(kConsoleBox), Qt::Key_F8);

  EXPECT_EQ(watcher.Seen(), 1);
  EXPECT_EQ(className, QString("kestrel::Dialog_About"));
  EXPECT_EQ(lines, Strings({"V1.0.2（20210222）", "1、更新每次按钮打印发送数据都会重新连接一下设备",
                            "2、版本号更新为V1.0.2", "\t", "V1.0.1（20201220）", "\t\t初始版本！"}));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, EnterInTheConsoleStartsALineAndInAOneLineEditEndsTheWindow) {
  auto window = MakeWindow(1252);
  window->show();
  auto* console = window->ControlAs<QTextEdit>(kConsoleBox);
  console->setPlainText("AB");
  console->moveCursor(QTextCursor::End);
  QTest::keyClick(console, Qt::Key_Return);
  EXPECT_EQ(console->toPlainText(), QString("AB\n"));
  EXPECT_TRUE(window->isVisible());

  const std::uint8_t* images = ImageBuffer;
  QTest::keyClick(window->Control(kCopiesEdit), Qt::Key_Return);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(ImageBuffer, images);  // only the close request releases it
}

TEST_F(MainWindowTest, EscEndsTheWindowWithCancel) {
  auto window = MakeWindow(936);
  window->show();
  QTest::keyClick(window->Control(kBackfeedEdit), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(MainWindowTest, ContextMenuEntryOpensTheAboutBox) {
  auto window = MakeWindow(1252);
  window->show();
  QStringList entries;
  QStringList aboutTexts;
  QString aboutTitle;
  ModalWatcher watcher([&](QWidget* shown) {
    if (auto* menu = qobject_cast<QMenu*>(shown)) {
      for (QAction* action : menu->actions()) entries << action->text();
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
    } else {
      aboutTitle = shown->windowTitle();
      for (QLabel* label : shown->findChildren<QLabel*>())
        if (!label->text().isEmpty()) aboutTexts << label->text();
      QTest::mouseClick(shown->findChild<QAbstractButton*>(), Qt::LeftButton);
    }
  });
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(window.get(), &request);

  // The preview and the printer status in the window's language.
  EXPECT_EQ(entries, Strings({"关于 Kestrel(&A)...", "Preview...", "Printer status..."}));
  EXPECT_EQ(watcher.Seen(), 2);
  EXPECT_EQ(aboutTitle, QString::fromUtf8("关于 Kestrel"));
  ASSERT_FALSE(aboutTexts.isEmpty());
  EXPECT_EQ(aboutTexts.first(), QString::fromUtf8("Kestrel，1.0 版"));
}

TEST_F(MainWindowTest, SelectionsStoreJobSettingsAndSendNothing) {
  auto window = MakeWindow(936);
  SendLength = 7;
  QTest::keyClick(window->Control(kPaperTypeList), Qt::Key_Up);    // 标签纸(回收)
  QTest::keyClick(window->Control(kDirectionList), Qt::Key_Down);  // 由下到上
  QTest::keyClick(window->Control(kLabelSizeList), Qt::Key_Down);  // 58(48)mm * 20mm
  QTest::keyClick(window->Control(kBarcodeTypeList), Qt::Key_Up);  // CODE93
  window->ControlAs<QLineEdit>(kBackfeedEdit)->setText("120");
  EXPECT_EQ(JobSettings.PaperType, 1);
  EXPECT_EQ(JobSettings.PrintDirection, 1);
  EXPECT_EQ(JobSettings.AreaWidthDots, 384);
  EXPECT_EQ(JobSettings.AreaHeightDots, 128);
  EXPECT_EQ(JobSettings.BarcodeSystem, 72);
  EXPECT_EQ(JobSettings.BackfeedValue, 120);

  window->ControlAs<QLineEdit>(kBackfeedEdit)->setText("");
  EXPECT_EQ(JobSettings.BackfeedValue, 0);
  EXPECT_EQ(SendLength, 7);
  EXPECT_FALSE(window->Controller().Link().Connected());
}

struct Message {
  QString text;
  QString caption;
  bool plain;  // no icon, OK only
};

std::vector<Message> PressAndCollectMessages(CKestrelDlg& window, int button) {
  std::vector<Message> messages;
  ModalWatcher watcher([&](QWidget* shown) {
    auto* box = qobject_cast<QMessageBox*>(shown);
    if (!box) {
      shown->close();
      return;
    }
    messages.push_back({box->text(), box->windowTitle(),
                        box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1 && box->parent() == &window});
    box->button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(window.Control(button), Qt::LeftButton);
  return messages;
}

TEST_F(MainWindowTest, WithoutAPrinterOnlyTheBarcodeTestSaysSo) {
  auto window = MakeWindow(936);
  window->show();
  const auto picture = PressAndCollectMessages(*window, kPictureButton);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ(picture[0].text, QString::fromUtf8("找不到任何USB设备"));

  const auto barcode = PressAndCollectMessages(*window, kBarcodeButton);
  ASSERT_EQ(barcode.size(), 2u);
  EXPECT_EQ(barcode[1].text, QString::fromUtf8("打印机未连接！"));
  EXPECT_EQ(barcode[1].caption, QString("Kestrel"));
  EXPECT_TRUE(barcode[1].plain);
}

}  // namespace
}  // namespace kestrel
