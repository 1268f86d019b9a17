#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window/DialogControls.h"

namespace kestrel::win32 {

// The controls of a Win32 dialog by id, as the operations see them. Reading
// an edit, label or button gives its text; a drop-down list its selected
// item's text; the rich text box its text with CR LF line ends.
class Win32DialogControls : public DialogControls {
 public:
  explicit Win32DialogControls(HWND dialog = nullptr) : dialog_(dialog) {}
  void Attach(HWND dialog) { dialog_ = dialog; }

  std::optional<std::string> Text(int id) const override;
  void SetText(int id, const std::string& text) override;
  std::optional<bool> Checked(int id) const override;
  void SetChecked(int id, bool checked) override;
  std::optional<int> Selection(int id) const override;
  std::optional<bool> Enabled(int id) const override;
  void SetEnabled(int id, bool enabled) override;

  // Replaces a drop-down list's items, in the order given, and selects one.
  void FillList(int id, const std::vector<std::string>& items, int selected);

 private:
  HWND Control(int id) const;

  HWND dialog_;
};

// The window class of a control ("Edit", "ComboBox", "RichEdit20W", ...).
std::wstring ClassOf(HWND control);

}  // namespace kestrel::win32
