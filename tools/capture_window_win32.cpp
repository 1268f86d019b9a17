// Captures the Windows main window, as the screen shows it, into a 24-bit BMP:
// kestrel-capture-window.exe OUTPUT.bmp. The interface language follows the
// code page Wine runs with (LANG=zh_CN.GBK gives the Chinese window); the
// window's own caption bar shows when Wine draws it (X11 Driver "Managed"=N).
#include <windows.h>

#include <cstdio>
#include <vector>

#include "win32ui/CKestrelDlg.h"

namespace {

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG message;
  while (GetTickCount() < end) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

bool WriteBmp(const wchar_t* path, int width, int height, const void* pixels) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  FILE* out = _wfopen(path, L"wb");
  if (!out) return false;
  const bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                       fwrite(pixels, static_cast<std::size_t>(stride * height), 1, out) == 1;
  return fclose(out) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kestrel-capture-window OUTPUT.bmp\n");
    return 2;
  }
  kestrel::win32::CKestrelDlg dialog;
  if (!dialog.Create()) return 1;
  SetWindowPos(dialog.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
  PumpFor(1500);

  RECT frame;
  GetWindowRect(dialog.Handle(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* pixels = nullptr;
  HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  const bool written = pixels && WriteBmp(argv[1], width, height, pixels);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::printf("%s %ls\n", written ? "wrote" : "could not write", argv[1]);
  return written ? 0 : 1;
}
