#pragma once

#include <optional>
#include <string>

namespace kestrel {

// The controls of a dialog as the operations see them, by numeric id and
// whatever the toolkit: the Qt window and the Win32 window each implement it
// over their own controls. Texts are UTF-8. Reading a control the dialog does
// not have gives nullopt; changing one does nothing.
class DialogControls {
 public:
  virtual ~DialogControls() = default;

  // An edit's, label's or button's text; for a list the text of its selected item.
  virtual std::optional<std::string> Text(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::optional<bool> Checked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  // The selected item of a list, -1 for none.
  virtual std::optional<int> Selection(int id) const = 0;
  virtual std::optional<bool> Enabled(int id) const = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
};

}  // namespace kestrel
