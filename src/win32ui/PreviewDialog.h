#pragma once

#include <windows.h>

namespace kestrel {
class DialogControls;
class MainWindowController;
}  // namespace kestrel

namespace kestrel::win32 {

// "预览..." / "Preview...", modal over the main window: every job of the main
// window's buttons by its caption, composed with what the window's controls
// hold now and printed on the virtual printer; the pages at their size or
// fitted, the decoded commands and the printer's notes beside them; a page
// saved as PNG, or the job's bytes. It never opens a port. `window` holds the
// main window's controls.
void ShowPreview(HWND owner, MainWindowController& controller, const DialogControls& window);

// The preview's controls.
enum PreviewControlId : int {
  kPreviewJobList = 1301,
  kPreviewPageList = 1302,
  kPreviewFit = 1303,
  kPreviewPage = 1304,      // the page (PageView)
  kPreviewCommands = 1305,  // the decoded commands, one a line, read-only
  kPreviewSavePicture = 1306,
  kPreviewSaveBytes = 1307,
  kPreviewClose = 1308,
};

}  // namespace kestrel::win32
