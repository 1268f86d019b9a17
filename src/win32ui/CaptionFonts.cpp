#include "win32ui/CaptionFonts.h"

#include <algorithm>
#include <string>

#include "win32ui/Win32DialogControls.h"

namespace kestrel::win32 {

namespace {

// Below this many pixels a caption would no longer read well; it then stays
// at this size, on one line, clipped.
constexpr LONG kSmallestHeight = 8;

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  // A prefix mark takes no room.
  std::erase(text, L'&');
  return text;
}

std::wstring LongestItem(HWND list, HDC dc) {
  std::wstring longest;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(item.data()))));
    if (TextWidth(dc, item) > TextWidth(dc, longest)) longest = item;
  }
  return longest;
}

// The caption a control shows and the room it has for it; false for controls
// whose text may wrap or scroll, and for pictures.
bool CaptionRoom(HWND control, HDC dc, int lineHeight, std::wstring* text, int* room) {
  RECT client;
  GetClientRect(control, &client);
  const std::wstring kind = ClassOf(control);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  if (kind == L"Static") {
    if ((style & SS_TYPEMASK) == SS_ICON || client.bottom >= 2 * lineHeight) return false;
    *text = ControlText(control);
    *room = client.right;
  } else if (kind == L"Button") {
    const LONG_PTR type = style & BS_TYPEMASK;
    const int frame = type == BS_GROUPBOX ? 12 : type == BS_AUTOCHECKBOX ? 18 : 8;
    *text = ControlText(control);
    *room = client.right - frame;
  } else if (kind == L"ComboBox") {
    *text = LongestItem(control, dc);
    *room = client.right - GetSystemMetrics(SM_CXVSCROLL) - 6;
  } else {
    return false;
  }
  return !text->empty();
}

}  // namespace

CaptionFonts::~CaptionFonts() {
  for (const auto& [height, font] : fonts_) DeleteObject(font);
}

HFONT CaptionFonts::FontOfHeight(const LOGFONTW& base, LONG height) {
  HFONT& font = fonts_[height];
  if (!font) {
    LOGFONTW smaller = base;
    smaller.lfHeight = -height;
    smaller.lfWidth = 0;
    font = CreateFontIndirectW(&smaller);
  }
  return font;
}

void CaptionFonts::Fit(HWND dialog, HFONT font) {
  const auto dialogFont = font ? font : reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  LOGFONTW base{};
  if (!dialogFont || !GetObjectW(dialogFont, sizeof base, &base)) return;
  HDC dc = GetDC(dialog);
  HGDIOBJ original = SelectObject(dc, dialogFont);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const LONG fullHeight = std::abs(base.lfHeight);
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    std::wstring text;
    int room = 0;
    SelectObject(dc, dialogFont);
    if (!CaptionRoom(control, dc, metrics.tmHeight, &text, &room) || TextWidth(dc, text) <= room) continue;
    HFONT fitting = nullptr;
    for (LONG height = fullHeight - 1; height >= kSmallestHeight; --height) {
      fitting = FontOfHeight(base, height);
      SelectObject(dc, fitting);
      if (TextWidth(dc, text) <= room) break;
    }
    if (fitting) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fitting), TRUE);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    if (TextWidth(dc, text) > room && ClassOf(control) == L"Static" && (style & SS_TYPEMASK) == SS_LEFT)
      SetWindowLongPtrW(control, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
  }
  SelectObject(dc, original);
  ReleaseDC(dialog, dc);
}

}  // namespace kestrel::win32
