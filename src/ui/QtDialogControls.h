#pragma once

#include "ui/DialogBuilder.h"
#include "window/DialogControls.h"

namespace kestrel {

// The controls a DialogBuilder made, as the operations see them.
class QtDialogControls : public DialogControls {
 public:
  explicit QtDialogControls(const DialogBuilder& controls) : controls_(controls) {}

  std::optional<std::string> Text(int id) const override;
  void SetText(int id, const std::string& text) override;
  std::optional<bool> Checked(int id) const override;
  void SetChecked(int id, bool checked) override;
  std::optional<int> Selection(int id) const override;
  std::optional<bool> Enabled(int id) const override;
  void SetEnabled(int id, bool enabled) override;

 private:
  const DialogBuilder& controls_;
};

}  // namespace kestrel
