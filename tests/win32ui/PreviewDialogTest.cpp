#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "language/win32/WideText.h"
#include "win32ui/DialogLayout.h"
#include "win32ui/PageView.h"
#include "win32ui/PreviewDialog.h"
#include "win32ui/WindowTestSupport.h"
#include "window/ControlIds.h"

namespace kestrel::test {
namespace {

using win32::kPreviewCommands;
using win32::kPreviewFit;
using win32::kPreviewJobList;
using win32::kPreviewPage;
using win32::kPreviewPageList;

// What the preview showed of the job a test picked.
struct Shown {
  std::string caption;
  std::vector<std::string> jobs;
  std::vector<std::string> pages;
  std::vector<std::string> commands;
  std::vector<std::string> problems;
  SIZE picture{};  // as drawn, in pixels
  SIZE fitted{};   // with "Fit to window"
  RECT view{};     // the page view's client area
  // Once the operator made the dialog narrower and taller: how much its
  // client area, the page view and the Close button's bottom right corner
  // gained.
  bool commandsWhole = false;  // the longest line shows whole, or the dialog is as wide as the screen lets it
  SIZE clientGrown{};
  SIZE viewGrown{};
  SIZE closeMoved{};
};

RECT ItemRect(HWND dialog, int id) {
  RECT area;
  GetWindowRect(GetDlgItem(dialog, id), &area);
  return area;
}

SIZE PictureSize(HWND preview) {
  const LRESULT size = SendDlgItemMessageW(preview, kPreviewPage, win32::PageView::kShownSizeMessage, 0, 0);
  return {LOWORD(size), HIWORD(size)};
}

// The job list's row of a button's job: its caption, as the list shows it.
void PickJobOf(HWND preview, HWND window, int button) {
  std::string caption = ItemText(window, button);
  std::erase(caption, '&');
  HWND jobs = GetDlgItem(preview, kPreviewJobList);
  const LRESULT row = SendMessageW(jobs, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(win32::Widen(caption).c_str()));
  SendMessageW(jobs, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(preview, WM_COMMAND, MAKEWPARAM(kPreviewJobList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(jobs));
}

bool CommandsWhole(HWND preview, const std::vector<std::string>& lines) {
  HWND commands = GetDlgItem(preview, kPreviewCommands);
  HDC dc = GetDC(commands);
  HGDIOBJ original = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(commands, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string& line : lines) {
    const std::wstring wide = win32::Widen(line);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    widest = std::max(widest, extent.cx);
  }
  SelectObject(dc, original);
  ReleaseDC(commands, dc);
  RECT client, frame;
  GetClientRect(commands, &client);
  GetWindowRect(preview, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(preview, MONITOR_DEFAULTTONEAREST), &monitor);
  return widest < client.right || frame.right - frame.left == monitor.rcWork.right - monitor.rcWork.left;
}

// Reads what the preview shows of the job of `button`, fitted once, and
// closes it as the operator does.
Shown Read(HWND preview, HWND window, int button) {
  Shown shown;
  shown.caption = WindowText(preview);
  shown.jobs = ListBoxItems(GetDlgItem(preview, kPreviewJobList));
  PickJobOf(preview, window, button);
  shown.pages = ComboBoxItems(GetDlgItem(preview, kPreviewPageList));
  std::string text = ItemText(preview, kPreviewCommands);
  for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
    end = std::min(text.find("\r\n", start), text.size());
    shown.commands.push_back(text.substr(start, end - start));
    if (shown.commands.back().find("!!") != std::string::npos) shown.problems.push_back(shown.commands.back());
  }
  shown.commandsWhole = CommandsWhole(preview, shown.commands);
  shown.picture = PictureSize(preview);
  GetClientRect(GetDlgItem(preview, kPreviewPage), &shown.view);
  Click(preview, kPreviewFit);
  shown.fitted = PictureSize(preview);

  RECT frame, client;
  GetWindowRect(preview, &frame);
  GetClientRect(preview, &client);
  const RECT view = ItemRect(preview, kPreviewPage);
  const RECT close = ItemRect(preview, win32::kPreviewClose);
  SetWindowPos(preview, nullptr, 0, 0, frame.right - frame.left - 80, frame.bottom - frame.top + 60,
               SWP_NOMOVE | SWP_NOZORDER);
  RECT grownClient;
  GetClientRect(preview, &grownClient);
  const RECT grownView = ItemRect(preview, kPreviewPage);
  const RECT movedClose = ItemRect(preview, win32::kPreviewClose);
  shown.clientGrown = {grownClient.right - client.right, grownClient.bottom - client.bottom};
  shown.viewGrown = {(grownView.right - grownView.left) - (view.right - view.left),
                     (grownView.bottom - grownView.top) - (view.bottom - view.top)};
  shown.closeMoved = {movedClose.right - close.right, movedClose.bottom - close.bottom};
  Click(preview, win32::kPreviewClose);
  return shown;
}

class PreviewTest : public MainWindowTest {
 protected:
  explicit PreviewTest(std::int32_t codePage = 1252) : MainWindowTest(codePage) {}
  // One dot a pixel at 96 dpi.
  LONG Pixels(int dots) const { return MulDiv(dots, static_cast<int>(win32::WindowDpi(Window())), 96); }
};

// F9 in any control opens the preview over the window: a row a job, named by
// its button's caption; the job picked is composed with the window's
// settings and printed on the virtual printer, its page drawn at its size or
// fitted into the view, its decoded commands beside it. No port is opened.
TEST_F(PreviewTest, F9ShowsTheJobsPagesAndCommands) {
  Shown shown;
  ModalWatcher watcher([&](const ShownDialog& dialog) { shown = Read(dialog.handle, Window(), k60x20Button); });
  SetFocus(Item(kConsoleBox));
  PressKey(VK_F9);

  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(shown.caption, "Preview");
  ASSERT_EQ(shown.jobs.size(), 36u);  // two buttons of one job give one row
  std::string first = ItemText(Window(), kSelfLearnButton);
  std::erase(first, '&');
  EXPECT_EQ(shown.jobs.front(), first);
  EXPECT_EQ(shown.pages, std::vector<std::string>{"Page 1 of 1"});
  ASSERT_GT(shown.commands.size(), 10u);
  EXPECT_EQ(shown.commands.front().rfind("00000000  1B 40", 0), 0u) << shown.commands.front();
  EXPECT_NE(shown.commands.back().find("ESC FF"), std::string::npos) << shown.commands.back();
  EXPECT_TRUE(shown.problems.empty()) << shown.problems.front();
  EXPECT_EQ(shown.picture.cx, Pixels(448));
  EXPECT_EQ(shown.picture.cy, Pixels(104));
  // Fitted: as large as the view allows, in the page's proportions.
  EXPECT_TRUE(shown.fitted.cx == shown.view.right - 4 || shown.fitted.cy == shown.view.bottom - 4);
  EXPECT_LE(shown.fitted.cx, shown.view.right - 4);
  EXPECT_NEAR(static_cast<double>(shown.fitted.cx) / shown.fitted.cy, 448.0 / 104.0, 0.05);
  // It opened wider than its template, for the commands' long lines; the
  // page view follows half the width the dialog gains or loses and all the
  // height; the buttons keep to the bottom right corner.
  EXPECT_TRUE(shown.commandsWhole);
  EXPECT_EQ(shown.clientGrown.cx, -80);
  EXPECT_EQ(shown.clientGrown.cy, 60);
  EXPECT_EQ(shown.viewGrown.cx, -40);
  EXPECT_EQ(shown.viewGrown.cy, 60);
  EXPECT_EQ(shown.closeMoved.cx, -80);
  EXPECT_EQ(shown.closeMoved.cy, 60);
  EXPECT_FALSE(dialog_->Controller().Link().Connected());
}

class ChinesePreviewTest : public PreviewTest {
 protected:
  ChinesePreviewTest() : PreviewTest(936) {}
};

// The context menu's entry opens the same preview, which reads the window's
// controls as the job's button does: three copies print three pages, and the
// UPC-A bar code's wrong check digit shows among the printer's notes.
TEST_F(ChinesePreviewTest, ContextMenuEntryPreviewsWithTheWindowsSettings) {
  SetWindowTextW(Item(kCopiesEdit), L"3");
  PickListItem(Window(), kBarcodeTypeList, 0);
  Shown labels, barcode;
  int opened = 0;
  ModalWatcher watcher([&](const ShownDialog& dialog) {
    ++opened;
    (opened == 1 ? labels : barcode) = Read(dialog.handle, Window(), opened == 1 ? k60x20Button : kBarcodeButton);
  });
  std::vector<std::string> entries;
  for (int open = 0; open < 2; ++open) {
    MenuPicker picker("预览...");
    SendMessageW(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), -1);
    entries = picker.Entries();
  }

  EXPECT_EQ(entries, (std::vector<std::string>{"预览...\tF9", "打印机状态..."}));
  ASSERT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(labels.caption, "预览");
  EXPECT_EQ(labels.pages, (std::vector<std::string>{"第 1 页，共 3 页", "第 2 页，共 3 页", "第 3 页，共 3 页"}));
  ASSERT_GT(labels.commands.size(), 1u);
  EXPECT_NE(labels.commands[1].find("US U 8  copies: copies 3"), std::string::npos) << labels.commands[1];
  EXPECT_TRUE(labels.problems.empty());
  EXPECT_EQ(barcode.pages, std::vector<std::string>{"第 1 页，共 1 页"});
  EXPECT_EQ(barcode.picture.cx, Pixels(448));
  EXPECT_EQ(barcode.picture.cy, Pixels(368));
  EXPECT_EQ(barcode.problems, std::vector<std::string>{"!! GS k: check digit 1 replaced by 2"});
}

}  // namespace
}  // namespace kestrel::test
