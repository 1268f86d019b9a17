#include <windows.h>

#include "win32ui/CKestrelDlg.h"

// The application: shows the main window and ends when it closes; the
// window's result is not used.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  kestrel::win32::CKestrelDlg dialog;
  if (!dialog.Create()) return 1;
  dialog.RunMessageLoop();
  return 0;
}
