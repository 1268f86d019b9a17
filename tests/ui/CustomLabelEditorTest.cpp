#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "commands/SendBuffer.h"
#include "customlabel/CustomLabel.h"
#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"
#include "ui/DialogEditCustomLabel.h"
#include "ui/WindowTestSupport.h"

namespace kestrel {
namespace {

using test::ReadText;
using test::TempDir;

QString EditText(const DialogEditCustomLabel& editor, int id) {
  auto* edit = qobject_cast<QLineEdit*>(editor.Control(id));
  return edit ? edit->text() : QStringLiteral("<none>");
}

bool Checked(const DialogEditCustomLabel& editor, int id) {
  auto* check = qobject_cast<QCheckBox*>(editor.Control(id));
  return check && check->isChecked();
}

void Retype(DialogEditCustomLabel& editor, int id, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(editor.Control(id));
  ASSERT_NE(edit, nullptr) << id;
  edit->clear();
  QTest::keyClicks(edit, text);
}

void Press(DialogEditCustomLabel& editor, int id) {
  auto* button = qobject_cast<QPushButton*>(editor.Control(id));
  ASSERT_NE(button, nullptr) << id;
  QTest::mouseClick(button, Qt::LeftButton);
}

TEST(CustomLabelEditorTest, ShowsTheFileAsItIs) {
  TempDir dir;
  LabelSettings settings(dir.path());
  DialogEditCustomLabel editor(nullptr, settings);
  const std::map<int, const char*> texts = {
      {1022, "0"},   {1024, "0"},   {1023, "48.00"}, {1025, "40.00"}, {1047, "0"},   {1048, "0"},
      {1050, "0"},   {1051, "52"},  {1053, "120"},   {1054, "24"},    {1056, "0"},   {1057, "0"},
      {1059, "120"}, {1060, "120"}, {1062, "0"},     {1063, "0"},     {1065, "230"}, {1066, "200"},
      {1068, "0"},   {1069, "0"},   {1033, "0"},     {1034, "0"},     {1035, "384"}, {1036, "296"},
  };
  for (const auto& [id, text] : texts) EXPECT_EQ(EditText(editor, id), QString::fromUtf8(text)) << id;
  for (int id : {1046, 1049, 1052, 1058, 1064, 1070}) EXPECT_TRUE(Checked(editor, id)) << id;
  for (int id : {1055, 1061, 1067}) EXPECT_FALSE(Checked(editor, id)) << id;
  EXPECT_EQ(editor.windowTitle(), QStringLiteral("自定标签"));
  // The grid's controls are named after their group, numbered where they
  // share it; the label's after their captions.
  const std::map<int, const char*> names = {{1022, "X"},           {1023, "Width"},     {1046, "文本 打印"},
                                            {1049, "文本 打印 2"}, {1047, "文本"},      {1048, "文本 2"},
                                            {1063, "二维码 4"},    {1070, "外框 打印"}, {1036, "外框 4"}};
  for (const auto& [id, name] : names) EXPECT_EQ(editor.Control(id)->accessibleName(), QString::fromUtf8(name)) << id;

  // Element edits take digits only; the label and frame edits take anything.
  Retype(editor, 1047, "a-1b2");
  EXPECT_EQ(EditText(editor, 1047), "12");
  Retype(editor, 1022, "-8x");
  EXPECT_EQ(EditText(editor, 1022), "-8x");
  Retype(editor, 1033, "abc");
  EXPECT_EQ(EditText(editor, 1033), "abc");

  // An unreadable file shows zeros and no check marks.
  std::filesystem::remove(settings.FilePath);
  DialogEditCustomLabel empty(nullptr, settings);
  EXPECT_EQ(EditText(empty, 1023), "0.00");
  EXPECT_EQ(EditText(empty, 1051), "0");
  EXPECT_FALSE(Checked(empty, 1070));
}

TEST(CustomLabelEditorTest, CloseWithoutSaveWritesNothing) {
  TempDir dir;
  LabelSettings settings(dir.path());
  const std::string before = ReadText(settings.FilePath);
  const std::function<void(DialogEditCustomLabel&)> closings[] = {
      [](DialogEditCustomLabel& editor) { Press(editor, 1041); },
      [](DialogEditCustomLabel& editor) { QTest::keyClick(editor.Control(1023), Qt::Key_Return); },
      [](DialogEditCustomLabel& editor) { QTest::keyClick(editor.Control(1051), Qt::Key_Enter, Qt::KeypadModifier); },
      [](DialogEditCustomLabel& editor) { QTest::keyClick(editor.Control(1070), Qt::Key_Escape); },
      [](DialogEditCustomLabel& editor) { editor.close(); },
  };
  int way = 0;
  for (const auto& close : closings) {
    DialogEditCustomLabel editor(nullptr, settings);
    editor.show();
    Retype(editor, 1023, "50");
    Retype(editor, 1051, "7");
    qobject_cast<QCheckBox*>(editor.Control(1070))->setChecked(false);
    close(editor);
    EXPECT_FALSE(editor.isVisible()) << "way " << way;
    EXPECT_EQ(ReadText(settings.FilePath), before) << "way " << way;
    ++way;
  }
}

TEST(CustomLabelEditorTest, SaveWritesEveryControlAndRefreshesTheMainWindow) {
  test::UseTemporaryDataFolder();
  test::FakePortDiscovery ports;
  CKestrelDlg window(nullptr, ports);
  const LabelSettings& settings = GetLabelSettings();
  std::filesystem::remove(settings.FilePath);
  LabelSettings fresh(std::filesystem::path(settings.FilePath).parent_path().parent_path().string());
  std::string expected = ReadText(settings.FilePath);
  const auto replace = [&expected](const std::string& from, const std::string& to) {
    const std::size_t at = expected.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    expected.replace(at, from.size(), to);
  };

  DialogEditCustomLabel editor(&window, settings);
  editor.show();
  Retype(editor, 1023, "50");
  Retype(editor, 1022, "abc");
  Retype(editor, 1036, "-8");
  QTest::mouseClick(editor.Control(1070), Qt::LeftButton);
  Press(editor, 1031);
  EXPECT_FALSE(editor.isVisible());
  replace("CustomLabel_Width=384", "CustomLabel_Width=400");
  replace("Custom_dY_Rect=296", "Custom_dY_Rect=-8");
  replace("IsPrint_Rect=1", "IsPrint_Rect=0");
  EXPECT_EQ(ReadText(settings.FilePath), expected);
  EXPECT_EQ(window.ControlAs<QLineEdit>(1033)->text(), "50.00");
  EXPECT_EQ(window.ControlAs<QLineEdit>(1041)->text(), "40.00");

  // The next label has no frame: text 1 follows the 27 bytes of the frame.
  ComposeCustomLabel(JobContext{}, settings);
  const auto bytes = ComposedBytes();
  ASSERT_GT(bytes.size(), 29u);
  EXPECT_EQ(bytes[27], 0x1B);
  EXPECT_EQ(bytes[28], 0x24);

  // Through the main window: button 1042 opens the editor modally, which
  // shows the saved width; a new height reaches the hidden edit.
  QString shownWidth;
  test::ModalWatcher watcher([&shownWidth](QWidget* shown) {
    auto* opened = qobject_cast<DialogEditCustomLabel*>(shown);
    if (!opened) {
      shown->close();
      return;
    }
    shownWidth = EditText(*opened, 1023);
    Retype(*opened, 1025, "30");
    Press(*opened, 1031);
  });
  window.ControlAs<QPushButton>(1042)->click();
  EXPECT_EQ(shownWidth, "50.00");
  EXPECT_EQ(settings.ReadSettingInt("CustomLabel", "CustomLabel_Height"), 240);
  EXPECT_EQ(window.ControlAs<QLineEdit>(1041)->text(), "30.00");
}

// A save into a file marked read-only (which stops root as well) keeps the
// editor open with the reason in the interface language; the main window
// hears of nothing and the file stays as it was.
TEST(CustomLabelEditorTest, AFailedSaveKeepsTheEditorOpenAndSaysWhy) {
  test::UseTemporaryDataFolder();
  test::FakePortDiscovery ports;
  const LabelSettings& settings = GetLabelSettings();
  CKestrelDlg window(nullptr, ports);
  const QString shownWidth = window.ControlAs<QLineEdit>(1033)->text();
  // A change the window has not loaded: a refresh after the save would show it.
  ASSERT_TRUE(settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", 1000));
  ASSERT_EQ(chmod(settings.FilePath.c_str(), 0444), 0);
  const std::string before = ReadText(settings.FilePath);
  const struct {
    int codePage;
    std::string said;
  } languages[] = {
      {1252, "The custom label was not saved.\nAccess is denied, or the file is read-only\n" + settings.FilePath},
      {936, "自定标签未保存。\n没有访问权限或文件只读\n" + settings.FilePath},
  };
  for (const auto& language : languages) {
    LoadTranslations(language.codePage);
    DialogEditCustomLabel editor(&window, settings);
    editor.show();
    Retype(editor, 1023, "60");
    QString said;
    test::ModalWatcher watcher([&said](QWidget* shown) {
      if (auto* box = qobject_cast<QMessageBox*>(shown)) said = box->text();
      shown->close();
    });
    Press(editor, 1031);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(said.toStdString(), language.said);
    EXPECT_EQ(window.ControlAs<QLineEdit>(1033)->text(), shownWidth);
    EXPECT_EQ(ReadText(settings.FilePath), before);
  }
  chmod(settings.FilePath.c_str(), 0644);
  settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", 384);
}

}  // namespace
}  // namespace kestrel
