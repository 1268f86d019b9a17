#pragma once

#include <windows.h>

namespace kestrel {
class MainWindowController;
}

namespace kestrel::win32 {

// "打印机状态..." / "Printer status...", modal over the main window: the
// status and the identity of the printer on the main window's port (template
// 140), asked again with Refresh; the window keeps answering meanwhile.
void ShowPrinterStatus(HWND owner, MainWindowController& controller);

}  // namespace kestrel::win32
