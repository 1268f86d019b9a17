#include "win32ui/PrinterStatusDialog.h"

#include <richedit.h>

#include <memory>
#include <vector>

#include "language/TranslationMap.h"
#include "language/win32/WideText.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/SmallDialogs.h"
#include "win32ui/Win32DialogControls.h"
#include "window/PrinterStatusPanel.h"

namespace kestrel::win32 {
namespace {

// What the dialog keeps while it is open.
struct StatusDialog {
  StatusDialog(HWND hwnd, MainWindowController& controller) : controls(hwnd), panel(controller, controls) {}
  Win32DialogControls controls;
  PrinterStatusPanel panel;
};

struct Opening {
  MainWindowController* controller;
};

INT_PTR CALLBACK PrinterStatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<StatusDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      auto* opening = reinterpret_cast<Opening*>(lParam);
      dialog = new StatusDialog(hwnd, *opening->controller);
      SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
      SetWindowTextW(hwnd, Widen(InterfaceIsChinese() ? "打印机状态" : "Printer status").c_str());
      SendDlgItemMessageW(hwnd, kPrinterStatusText, EM_SETREADONLY, TRUE, 0);
      dialog->panel.Open();
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == kPrinterStatusRefresh && HIWORD(wParam) == BN_CLICKED && dialog) dialog->panel.Refresh();
      if (id == kPrinterStatusClose || id == IDOK || id == IDCANCEL) EndDialog(hwnd, id);
      return TRUE;
    }
    case WM_DESTROY:
      delete dialog;
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowPrinterStatus(HWND owner, MainWindowController& controller) {
  LoadRichTextControl();
  Opening opening{&controller};
  const std::vector<std::uint8_t> dialog = BuildDialogTemplate(PrinterStatusTemplate(), ModalFrame());
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner,
                          PrinterStatusProc, reinterpret_cast<LPARAM>(&opening));
}

}  // namespace kestrel::win32
