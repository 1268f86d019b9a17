#include "win32ui/SmallDialogs.h"

#include <commctrl.h>

#include <vector>

#include "customlabel/LabelSettings.h"
#include "language/win32/WideText.h"
#include "win32ui/CKestrelDlg.h"
#include "win32ui/ControlNames.h"
#include "win32ui/DialogTemplateEx.h"
#include "win32ui/Win32DialogControls.h"
#include "window/CustomLabelEditor.h"
#include "window/InterfaceItems.h"
#include "window/SettingsFileMessage.h"

namespace kestrel::win32 {

namespace {

constexpr int kHistoryList = 1028;
constexpr int kSaveButton = 1031;
constexpr int kCancelButton = 1041;
constexpr UINT kTellUnreadable = WM_APP + 20;

INT_PTR ShowModal(const DialogTemplate& dialogTemplate, HWND owner, DLGPROC procedure) {
  const std::vector<std::uint8_t> dialog = BuildDialogTemplate(dialogTemplate, ModalFrame());
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner,
                                 procedure, reinterpret_cast<LPARAM>(owner));
}

bool EndsDialog(UINT message, WPARAM wParam) {
  return message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
}

INT_PTR CALLBACK AboutBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (EndsDialog(message, wParam)) {
    EndDialog(hwnd, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK HistoryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    HWND list = GetDlgItem(hwnd, kHistoryList);
    const std::vector<std::string>& lines = HistoryLines();
    for (std::size_t row = 0; row < lines.size(); ++row)
      SendMessageW(list, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(Widen(lines[row]).c_str()));
    return TRUE;
  }
  if (EndsDialog(message, wParam)) {
    EndDialog(hwnd, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// The editor's own message box: OK only, no icon.
void ShowEditorMessage(HWND editor, const std::string& text) {
  MessageBoxW(editor, Widen(text).c_str(), L"Kestrel", MB_OK);
}

INT_PTR CALLBACK EditorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LabelSettings& settings = GetLabelSettings();
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    Win32DialogControls controls(hwnd);
    LoadCustomLabelEditor(settings, controls);
    NameControls(hwnd, CustomLabelTemplate());
    // Told once the editor is on the screen.
    if (!settings.CheckFile().ok()) PostMessageW(hwnd, kTellUnreadable, 0, 0);
    return TRUE;
  }
  if (message == kTellUnreadable) {
    ShowEditorMessage(hwnd, SettingsUnreadableMessage(settings.CheckFile(), settings.FilePath));
    return TRUE;
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  const int id = LOWORD(wParam);
  if (id == kSaveButton) {
    // A save that fails keeps the editor open with the reason, and the main
    // window hears of nothing.
    const FileResult saved = SaveCustomLabelEditor(settings, Win32DialogControls(hwnd));
    if (!saved.ok()) {
      ShowEditorMessage(hwnd, SettingsNotSavedMessage(saved, settings.FilePath));
      return TRUE;
    }
    auto mainWindow = reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (mainWindow) SendMessageW(mainWindow, CKestrelDlg::kCustomLabelSizeChanged, 0, 0);
  }
  if (id == kSaveButton || id == kCancelButton || id == IDOK || id == IDCANCEL) {
    EndDialog(hwnd, id);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void LoadRichTextControl() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    return LoadLibraryW(L"Riched20.dll") != nullptr;
  }();
  (void)loaded;
}

void ShowAboutBox(HWND owner) { ShowModal(AboutBoxTemplate(), owner, AboutBoxProc); }

void ShowVersionHistory(HWND owner) { ShowModal(HistoryTemplate(), owner, HistoryProc); }

void EditCustomLabel(HWND mainWindow) { ShowModal(CustomLabelTemplate(), mainWindow, EditorProc); }

}  // namespace kestrel::win32
