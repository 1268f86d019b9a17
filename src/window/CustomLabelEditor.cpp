#include "window/CustomLabelEditor.h"

#include <string>

namespace kestrel {

namespace {

// A control bound to a settings key. The width and the height are shown in
// millimetres (divisor 8) and stored in dots; everything else as stored.
struct Binding {
  int id;
  const char* key;
  int divisor = 1;
};

// Loaded and saved in this order: the label, the nine print flags, the
// sixteen element positions, the frame.
constexpr Binding kLabelEdits[] = {
    {1022, "CustomLabel_X"}, {1024, "CustomLabel_Y"}, {1023, "CustomLabel_Width", 8}, {1025, "CustomLabel_Height", 8}};
constexpr Binding kPrintFlags[] = {{1046, "IsPrint_Text1"},    {1049, "IsPrint_Text2"},   {1052, "IsPrint_Barcode1"},
                                   {1055, "IsPrint_Barcode2"}, {1058, "IsPrint_Qrcode1"}, {1061, "IsPrint_Qrcode2"},
                                   {1064, "IsPrint_Image1"},   {1067, "IsPrint_Image2"},  {1070, "IsPrint_Rect"}};
constexpr Binding kPositionEdits[] = {
    {1047, "Custom_X_Text1"},    {1050, "Custom_X_Text2"},    {1048, "Custom_Y_Text1"},    {1051, "Custom_Y_Text2"},
    {1053, "Custom_X_Barcode1"}, {1056, "Custom_X_Barcode2"}, {1054, "Custom_Y_Barcode1"}, {1057, "Custom_Y_Barcode2"},
    {1059, "Custom_X_Qrcode1"},  {1062, "Custom_X_Qrcode2"},  {1060, "Custom_Y_Qrcode1"},  {1063, "Custom_Y_Qrcode2"},
    {1065, "Custom_X_Image1"},   {1068, "Custom_X_Image2"},   {1066, "Custom_Y_Image1"},   {1069, "Custom_Y_Image2"},
    {1033, "Custom_X_Rect"},     {1034, "Custom_Y_Rect"},     {1035, "Custom_dX_Rect"},    {1036, "Custom_dY_Rect"}};

}  // namespace

void LoadCustomLabelEditor(const LabelSettings& settings, DialogControls& controls) {
  const auto loadEdit = [&](const Binding& binding) {
    controls.SetText(binding.id, settings.ReadSettingText(binding.key, binding.divisor));
  };
  for (const Binding& binding : kLabelEdits) loadEdit(binding);
  for (const Binding& binding : kPrintFlags)
    controls.SetChecked(binding.id, settings.ReadSettingInt(kCustomLabelSection, binding.key) != 0);
  for (const Binding& binding : kPositionEdits) loadEdit(binding);
}

FileResult SaveCustomLabelEditor(const LabelSettings& settings, const DialogControls& controls) {
  LabelSettingsChange change(settings);
  const auto storeEdit = [&](const Binding& binding) {
    const std::optional<std::string> text = controls.Text(binding.id);
    const std::string* shown = text ? &*text : nullptr;
    if (binding.divisor == 1)
      change.StoreEditInt(shown, binding.key);
    else
      change.StoreEditScaled(shown, binding.key, binding.divisor);
  };
  for (const Binding& binding : kLabelEdits) storeEdit(binding);
  for (const Binding& binding : kPrintFlags) {
    const std::optional<bool> checked = controls.Checked(binding.id);
    change.StoreCheckState(checked ? &*checked : nullptr, binding.key);
  }
  for (const Binding& binding : kPositionEdits) storeEdit(binding);
  return change.Write();
}

}  // namespace kestrel
