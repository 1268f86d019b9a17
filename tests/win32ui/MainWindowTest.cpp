#include <oleacc.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "commands/JobSettings.h"
#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "support/TestSupport.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/WindowTestSupport.h"
#include "window/ControlIds.h"
#include "window/DialogTemplate.h"
#include "window/InterfaceItems.h"

namespace kestrel::test {
namespace {

class StartupTest : public MainWindowTest, public ::testing::WithParamInterface<std::int32_t> {
 protected:
  StartupTest() : MainWindowTest(GetParam()) {}
  bool Chinese() const { return GetParam() == 936; }
};

// Built from the template table: every control by its id, of the kind the
// table names, visible unless the table hides it; the captions through the
// caption table; the lists and edits with their start-up contents.
TEST_P(StartupTest, TemplateControlsCaptionsAndContents) {
  for (const DialogControl& control : MainWindowTemplate().controls) {
    SCOPED_TRACE(control.id);
    HWND item = Item(control.id);
    ASSERT_NE(item, nullptr);
    const bool shown = control.visible && !(control.id == kSmallFontButton && !Chinese());
    EXPECT_EQ(IsWindowVisible(item) != FALSE, shown);
    EXPECT_EQ(IsWindowEnabled(item) != FALSE, control.id != kBaudList);
    EXPECT_EQ(win32::ClassOf(item), win32::ControlClassFor(control.kind).className);
  }
  for (std::size_t row = 0; row < kCaptionCount; ++row)
    EXPECT_EQ(ItemText(Window(), kCaptionTable[row].control), Translate(kCaptionTable[row].key));
  for (const StartupContent& content : StartupContents(PortListEntries(ports_))) {
    SCOPED_TRACE(content.id);
    if (content.IsList()) {
      EXPECT_EQ(ComboBoxItems(Item(content.id)), content.items);
      EXPECT_EQ(SendMessageW(Item(content.id), CB_GETCURSEL, 0, 0), content.selected);
    } else {
      EXPECT_EQ(*dialog_->Controls().Text(content.id), content.text);
    }
  }
  EXPECT_EQ(ComboBoxItems(Item(kPaperTypeList)).front(), Chinese() ? "连续纸" : "Continuous");
  EXPECT_EQ(WindowText(Window()), "Kestrel - V1.0.0.16");
}

// What a screen reader and UI Automation read through each control's
// accessible object: a name of its own for every control the operator
// reaches, with its group's caption in front where another shares its
// caption.
TEST_P(StartupTest, EveryControlTheOperatorReachesHasANameOfItsOwn) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const auto nameOf = [](HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
      return std::string("(no accessible object)") +
             std::to_string(static_cast<unsigned long>(AccessibleObjectFromWindow(
                 control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object))));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text = "(no name)";
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) text = win32::Narrow(name);
    SysFreeString(name);
    object->Release();
    return text;
  };
  std::map<std::string, int> owners;
  for (const DialogControl& control : MainWindowTemplate().controls) {
    const bool caption = control.kind == ControlKind::GroupBox || control.kind == ControlKind::Label ||
                         control.kind == ControlKind::RightLabel || control.kind == ControlKind::CentreLabel;
    if (caption || control.kind == ControlKind::Icon || !IsWindowVisible(Item(control.id))) continue;
    const std::string name = nameOf(Item(control.id));
    EXPECT_FALSE(name.empty()) << control.id;
    const auto [previous, added] = owners.emplace(name, control.id);
    EXPECT_TRUE(added) << name << ": " << previous->second << " and " << control.id;
  }
  EXPECT_GT(owners.size(), 40u);
  const std::vector<std::tuple<int, const char*, const char*>> rows = {
      {kBaudList, "波特率", "Port Info: Baud rate"},
      {kPrinterBaudList, "串口波特率", "Common parameter: Baud rate"},
      {kCopiesEdit, "打印份数", "Print copies"},
      {kSelfTestButton, "自检页", "Common parameter: Selftest"},
      {kPrintSelfTestButton, "打印自检页", "Single test: Selftest"},
      {kConnectButton, "连接", "Connect"},
      {kHexBox, "标准模式 HEX", "Standard mode HEX"},
  };
  for (const auto& [id, chinese, english] : rows) EXPECT_EQ(nameOf(Item(id)), Chinese() ? chinese : english) << id;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, StartupTest, ::testing::Values(936, 1252));

class WindowTest : public MainWindowTest {};

// The dialog manager reads the font from the template; Wine makes the font
// in the default character set whatever the template asks, so the template
// itself is checked.
TEST(DialogTemplateTest, HeaderCarriesTheFrameTheControlCountAndTheChineseDialogFont) {
  const DialogTemplate& main = MainWindowTemplate();
  const win32::DialogFrame frame = win32::MainWindowFrame();
  const std::vector<std::uint8_t> bytes = win32::BuildDialogTemplate(main, frame);
  const auto word = [&bytes](std::size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
  EXPECT_EQ(word(0), 1u);
  EXPECT_EQ(word(2), 0xFFFFu);
  EXPECT_EQ(word(8) | word(10) << 16, frame.exStyle);
  EXPECT_EQ(word(12) | word(14) << 16, frame.style);
  EXPECT_EQ(word(16), main.controls.size());
  EXPECT_EQ(word(22), 320u);
  EXPECT_EQ(word(24), 419u);
  std::size_t at = 30;  // after the empty menu and class
  std::wstring title;
  for (; word(at) != 0; at += 2) title += static_cast<wchar_t>(word(at));
  at += 2;
  EXPECT_EQ(title, L"Kestrel");
  EXPECT_EQ(word(at), 9u);
  EXPECT_EQ(word(at + 2), static_cast<unsigned>(FW_NORMAL));
  EXPECT_EQ(bytes[at + 4], 0);
  EXPECT_EQ(bytes[at + 5], GB2312_CHARSET);
  std::wstring face;
  for (at += 6; word(at) != 0; at += 2) face += static_cast<wchar_t>(word(at));
  EXPECT_EQ(face, L"MS Shell Dlg");
  EXPECT_EQ(bytes.size() % 2, 0u);
}

TEST_F(WindowTest, FixedFrameWithAMinimiseBox) {
  const LONG styles = GetWindowLongW(Window(), GWL_STYLE);
  EXPECT_TRUE(styles & WS_MINIMIZEBOX);
  EXPECT_FALSE(styles & WS_MAXIMIZEBOX);
  EXPECT_FALSE(styles & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongW(Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(WindowTest, SystemMenuEntryAndF8OpenTheAboutBoxAndTheHistory) {
  HMENU menu = GetSystemMenu(Window(), FALSE);
  const int last = GetMenuItemCount(menu) - 1;
  wchar_t entry[64] = {};
  GetMenuStringW(menu, static_cast<UINT>(last), entry, 64, MF_BYPOSITION);
  EXPECT_EQ(win32::Narrow(entry), "关于 Kestrel(&A)...");
  EXPECT_EQ(GetMenuItemID(menu, last), 16u);
  EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(last - 1), MF_BYPOSITION) & MF_SEPARATOR,
            static_cast<UINT>(MF_SEPARATOR));

  std::vector<std::string> history;
  ModalWatcher watcher([&history](const ShownDialog& shown) {
    HWND list = GetDlgItem(shown.handle, 1028);
    if (list) history = ListBoxItems(list);
    PostMessageW(shown.handle, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessageW(Window(), WM_SYSCOMMAND, 16, 0);
  MSG f8{Item(kConsoleBox), WM_KEYDOWN, VK_F8, 0, 0, {}};
  EXPECT_TRUE(dialog_->PreTranslateMessage(f8));
  MSG elsewhere{Item(kConsoleBox), WM_KEYDOWN, VK_F7, 0, 0, {}};
  EXPECT_FALSE(dialog_->PreTranslateMessage(elsewhere));

  ASSERT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Seen()[0].caption, "关于 Kestrel");
  EXPECT_EQ(watcher.Seen()[1].caption, "About");
  EXPECT_EQ(history, HistoryLines());
}

// Enter in the console box starts a new line; in a one-line edit, as Esc
// anywhere, it ends the window through the dialog's OK and Cancel commands.
TEST_F(WindowTest, EnterInTheConsoleStartsALineAndInAOneLineEditEndsTheWindow) {
  const std::size_t before = dialog_->Controls().Text(kConsoleBox)->size();
  SetFocus(Item(kConsoleBox));
  PressKey(VK_RETURN);
  EXPECT_EQ(dialog_->Controls().Text(kConsoleBox)->size(), before + 2);
  SetFocus(Item(kConsoleCountEdit));
  PressKey(VK_RETURN);
  EXPECT_EQ(dialog_->Handle(), nullptr);
}

TEST_F(WindowTest, EscEndsTheWindow) {
  SetFocus(Item(kConsoleSendButton));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(dialog_->Handle(), nullptr);
}

// A pick in a list or a change of the backfeed text goes into JobSettings;
// picking a serial port enables the baud-rate list.
TEST_F(WindowTest, SelectionsStoreJobSettings) {
  PickListItem(Window(), kPaperTypeList, 0);
  PickListItem(Window(), kDirectionList, 3);
  PickListItem(Window(), kLabelSizeList, 12);
  PickListItem(Window(), kBarcodeTypeList, 0);
  SetDlgItemTextW(Window(), kBackfeedEdit, L"120");
  EXPECT_EQ(JobSettings.PaperType, 0);
  EXPECT_EQ(JobSettings.PrintDirection, 3);
  EXPECT_EQ(JobSettings.AreaWidthDots, 576);
  EXPECT_EQ(JobSettings.AreaHeightDots, 448);
  EXPECT_EQ(JobSettings.BarcodeSystem, 65);
  EXPECT_EQ(JobSettings.BackfeedValue, 120);
  PickListItem(Window(), kPortList, 1);
  EXPECT_NE(JobSettings.PortKind, 0);
  EXPECT_TRUE(IsWindowEnabled(Item(kBaudList)));
}

// The editor writes the settings file and tells the main window, which shows
// the new size in its hidden edits (message 1025).
TEST_F(WindowTest, EditorSavesTheFileAndTheWindowReloadsTheSize) {
  LabelSettings& settings = GetLabelSettings();
  // The prefix's settings file is shared with the other Windows tests: it
  // gets its bytes back at the end.
  const std::string before = ReadText(settings.FilePath);
  struct Restore {
    const std::string& path;
    const std::string& bytes;
    ~Restore() { WriteText(path, bytes); }
  } restore{settings.FilePath, before};
  const std::int32_t width = settings.ReadSettingInt(kCustomLabelSection, "CustomLabel_Width");
  const std::string newWidth = width == 560 ? "72" : "70";
  ModalWatcher watcher([&newWidth](const ShownDialog& shown) {
    SetDlgItemTextW(shown.handle, 1023, win32::Widen(newWidth).c_str());
    Click(shown.handle, 1031);
  });
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(kDesignLabelButton, BN_CLICKED), 0);

  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, "自定标签");
  EXPECT_EQ(settings.ReadSettingInt(kCustomLabelSection, "CustomLabel_Width"), std::stoi(newWidth) * 8);
  EXPECT_EQ(ItemText(Window(), kCustomWidthEdit), newWidth + ".00");
}

// A save into a file marked read-only keeps the editor open with the reason;
// the main window is not told, and the file stays as it was.
TEST_F(WindowTest, AFailedEditorSaveKeepsTheEditorOpenAndSaysWhy) {
  LabelSettings& settings = GetLabelSettings();
  const std::wstring file = Utf8Path(settings.FilePath).wstring();
  const std::string before = ReadText(settings.FilePath);
  const std::string shownWidth = ItemText(Window(), 1033);
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  struct Restore {
    const std::wstring& file;
    ~Restore() { SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL); }
  } restore{file};
  bool stayedOpen = false;
  std::string said;
  ModalWatcher watcher([&](const ShownDialog& shown) {
    if (shown.caption == "Kestrel") {
      said = shown.text;
      PostMessageW(shown.handle, WM_COMMAND, IDOK, 0);
      return;
    }
    SetDlgItemTextW(shown.handle, 1023, L"71");
    Click(shown.handle, 1031);
    stayedOpen = IsWindowVisible(shown.handle);
    Click(shown.handle, 1041);
  });
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(1042, BN_CLICKED), 0);

  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(said, "自定标签未保存。\n没有访问权限或文件只读\n" + settings.FilePath);
  EXPECT_EQ(ReadText(settings.FilePath), before);
  EXPECT_EQ(ItemText(Window(), 1033), shownWidth);
}

// No USB printer is listed: of the job buttons only the bar code test says
// the printer is missing (after the link's own message), and an aging run
// stops at its first tick with every control enabled again.
TEST_F(WindowTest, WithoutAPrinterTheBarcodeTestAndTheAgingTestSaySo) {
  ModalWatcher watcher;
  Click(Window(), kPictureButton);
  Click(Window(), kBarcodeButton);
  Click(Window(), kAgingStartButton);
  EXPECT_EQ(watcher.Texts(), (std::vector<std::string>{"找不到任何USB设备", "找不到任何USB设备", "打印机未连接！",
                                                       "连接失败,已停止发送"}));
  EXPECT_FALSE(dialog_->Controller().AgingRunning());
  EXPECT_TRUE(IsWindowEnabled(Item(kAgingStartButton)));
  EXPECT_EQ(ItemText(Window(), kSendCountDisplay), "0");
}

}  // namespace
}  // namespace kestrel::test
