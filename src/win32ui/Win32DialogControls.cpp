#include "win32ui/Win32DialogControls.h"

#include <richedit.h>

#include "language/win32/WideText.h"

namespace kestrel::win32 {

namespace {

bool IsClass(HWND control, const wchar_t* name) { return lstrcmpiW(ClassOf(control).c_str(), name) == 0; }

// A drop-down list that takes typing shows its text in an edit of its own.
bool IsEditableList(HWND control) {
  return IsClass(control, L"ComboBox") && (GetWindowLongPtrW(control, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWN;
}

std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The rich text box keeps paragraphs ended by CR alone; asked this way it
// gives them with CR LF, as the console's text goes to the printer.
std::wstring RichText(HWND control) {
  GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_NUMCHARS, 1200};
  const LRESULT length = SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  query.flags = GT_USECRLF;
  query.codepage = 1200;  // UTF-16
  const LRESULT copied =
      SendMessageW(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring SelectedItem(HWND list) {
  const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

HWND Win32DialogControls::Control(int id) const { return dialog_ ? GetDlgItem(dialog_, id) : nullptr; }

std::optional<std::string> Win32DialogControls::Text(int id) const {
  HWND control = Control(id);
  if (!control) return std::nullopt;
  if (IsEditableList(control)) return Narrow(WindowText(control));
  if (IsClass(control, L"ComboBox")) return Narrow(SelectedItem(control));
  if (IsClass(control, RICHEDIT_CLASSW)) return Narrow(RichText(control));
  return Narrow(WindowText(control));
}

void Win32DialogControls::SetText(int id, const std::string& text) {
  if (HWND control = Control(id); control && (!IsClass(control, L"ComboBox") || IsEditableList(control)))
    SetWindowTextW(control, Widen(text).c_str());
}

std::optional<bool> Win32DialogControls::Checked(int id) const {
  HWND control = Control(id);
  if (!control || !IsClass(control, L"Button")) return std::nullopt;
  const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  if (kind != BS_AUTOCHECKBOX && kind != BS_CHECKBOX) return std::nullopt;
  return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DialogControls::SetChecked(int id, bool checked) {
  if (HWND control = Control(id)) SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<int> Win32DialogControls::Selection(int id) const {
  HWND control = Control(id);
  if (!control || !IsClass(control, L"ComboBox")) return std::nullopt;
  return static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
}

std::optional<bool> Win32DialogControls::Enabled(int id) const {
  HWND control = Control(id);
  if (!control) return std::nullopt;
  return IsWindowEnabled(control) != FALSE;
}

void Win32DialogControls::SetEnabled(int id, bool enabled) {
  if (HWND control = Control(id)) EnableWindow(control, enabled);
}

void Win32DialogControls::FillList(int id, const std::vector<std::string>& items, int selected) {
  HWND list = Control(id);
  if (!list) return;
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace kestrel::win32
