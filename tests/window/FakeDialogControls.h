#pragma once

#include <map>
#include <string>
#include <vector>

#include "window/DialogControls.h"
#include "window/DialogTemplate.h"

namespace kestrel::test {

// The controls of a dialog template without a toolkit: each id keeps a text,
// a list's items and selection, a check state and whether it is enabled.
// A list's text is that of its selected item, unless the list takes typing
// and a text was typed (set) since; only check boxes are checkable.
class FakeDialogControls : public DialogControls {
 public:
  struct Control {
    ControlKind kind = ControlKind::Label;
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    bool checked = false;
    bool enabled = true;
    bool typed = false;  // a list that takes typing shows `text`
  };

  explicit FakeDialogControls(const DialogTemplate& dialog) {
    for (const DialogControl& control : dialog.controls)
      if (control.id != kNoControlId) {
        controls[control.id].kind = control.kind;
        controls[control.id].text = control.caption;
      }
  }

  std::optional<std::string> Text(int id) const override {
    const Control* control = Find(id);
    if (!control) return std::nullopt;
    if (!IsList(control->kind) || control->typed) return control->text;
    const bool picked = control->selection >= 0 && control->selection < static_cast<int>(control->items.size());
    return picked ? control->items[static_cast<std::size_t>(control->selection)] : "";
  }
  void SetText(int id, const std::string& text) override {
    Control* control = Find(id);
    if (!control || control->kind == ControlKind::DropDownList) return;
    control->text = text;
    control->typed = control->kind == ControlKind::DropDownEdit;
  }
  std::optional<bool> Checked(int id) const override {
    const Control* control = Find(id);
    if (!control || control->kind != ControlKind::CheckBox) return std::nullopt;
    return control->checked;
  }
  void SetChecked(int id, bool checked) override {
    if (Control* control = Find(id)) control->checked = checked;
  }
  std::optional<int> Selection(int id) const override {
    const Control* control = Find(id);
    if (!control || !IsList(control->kind)) return std::nullopt;
    return control->selection;
  }
  std::optional<bool> Enabled(int id) const override {
    const Control* control = Find(id);
    if (!control) return std::nullopt;
    return control->enabled;
  }
  void SetEnabled(int id, bool enabled) override {
    if (Control* control = Find(id)) control->enabled = enabled;
  }

  // Replaces a list's items and selects one, as the window fills it.
  void FillList(int id, std::vector<std::string> items, int selected) {
    if (Control* control = Find(id)) {
      control->items = std::move(items);
      Pick(id, selected);
    }
  }
  // Selects a list's item, as the operator's pick does; a typed text gives way.
  void Pick(int id, int index) {
    if (Control* control = Find(id)) {
      control->selection = index;
      control->typed = false;
    }
  }

  std::map<int, Control> controls;

 private:
  static bool IsList(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::DropDownEdit;
  }
  const Control* Find(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : &found->second;
  }
  Control* Find(int id) {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : &found->second;
  }
};

}  // namespace kestrel::test
