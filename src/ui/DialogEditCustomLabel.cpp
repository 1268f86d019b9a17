#include "ui/DialogEditCustomLabel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "ui/CKestrelDlg.h"
#include "ui/DialogBuilder.h"

namespace kestrel {
namespace {

using K = ControlKind;

// Frames and labels carry no id; the data controls carry the ids the
// settings keys are bound to. Listed in tab order.
constexpr DialogControl kControls[] = {
    {kNoControlId, K::GroupBox, "基本参数", 7, 7, 295, 35},
    {kNoControlId, K::Label, "X:", 18, 22, 8, 8},
    {1022, K::Edit, "", 29, 18, 40, 14},
    {kNoControlId, K::Label, "Y:", 84, 22, 8, 8},
    {1024, K::Edit, "", 95, 18, 40, 14},
    {kNoControlId, K::Label, "Width:", 148, 22, 22, 8},
    {1023, K::Edit, "", 173, 18, 40, 14},
    {kNoControlId, K::Label, "Height:", 220, 22, 24, 8},
    {1025, K::Edit, "", 251, 18, 40, 14},
    {kNoControlId, K::Label, "X", 59, 50, 8, 8},
    {kNoControlId, K::Label, "Y", 115, 49, 8, 8},
    {kNoControlId, K::Label, "X", 218, 49, 8, 8},
    {kNoControlId, K::Label, "Y", 274, 49, 8, 8},
    {kNoControlId, K::GroupBox, "文本", 5, 61, 152, 49},
    {1046, K::CheckBox, "打印", 15, 72, 32, 10},
    {1047, K::DigitEdit, "", 54, 68, 40, 14},
    {1048, K::DigitEdit, "", 101, 68, 40, 14},
    {1049, K::CheckBox, "打印", 15, 89, 32, 10},
    {1050, K::DigitEdit, "", 54, 86, 40, 14},
    {1051, K::DigitEdit, "", 101, 86, 40, 14},
    {kNoControlId, K::GroupBox, "条码", 157, 61, 152, 49},
    {1052, K::CheckBox, "打印", 165, 71, 32, 10},
    {1053, K::DigitEdit, "", 203, 68, 40, 14},
    {1054, K::DigitEdit, "", 251, 68, 40, 14},
    {1055, K::CheckBox, "打印", 165, 89, 32, 10},
    {1056, K::DigitEdit, "", 203, 86, 40, 14},
    {1057, K::DigitEdit, "", 251, 86, 40, 14},
    {kNoControlId, K::GroupBox, "二维码", 4, 111, 152, 49},
    {1058, K::CheckBox, "打印", 15, 123, 32, 10},
    {1059, K::DigitEdit, "", 54, 119, 40, 14},
    {1060, K::DigitEdit, "", 101, 119, 40, 14},
    {1061, K::CheckBox, "打印", 15, 140, 32, 10},
    {1062, K::DigitEdit, "", 54, 137, 40, 14},
    {1063, K::DigitEdit, "", 101, 137, 40, 14},
    {kNoControlId, K::GroupBox, "图片", 157, 111, 152, 49},
    {1064, K::CheckBox, "打印", 165, 122, 32, 10},
    {1065, K::DigitEdit, "", 203, 118, 40, 14},
    {1066, K::DigitEdit, "", 251, 118, 40, 14},
    {1067, K::CheckBox, "打印", 165, 139, 32, 10},
    {1068, K::DigitEdit, "", 203, 136, 40, 14},
    {1069, K::DigitEdit, "", 251, 136, 40, 14},
    {kNoControlId, K::GroupBox, "外框", 7, 162, 295, 35},
    {1070, K::CheckBox, "打印", 14, 175, 32, 10},
    {1033, K::Edit, "", 51, 172, 40, 14},
    {1034, K::Edit, "", 98, 172, 40, 14},
    {1035, K::Edit, "", 159, 172, 40, 14},
    {1036, K::Edit, "", 211, 172, 40, 14},
    {1031, K::PushButton, "保存", 55, 207, 50, 14},
    {1041, K::PushButton, "取消", 167, 207, 50, 14},
};

constexpr DialogTemplate kTemplate{138, "自定标签", 309, 228, 8, kControls};

// The frame edits are the template's only left-aligned edits.
constexpr int kLeftAlignedEdits[] = {1033, 1034, 1035, 1036};

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

const DialogTemplate& CustomLabelTemplate() { return kTemplate; }

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow)
    : DialogEditCustomLabel(mainWindow, GetLabelSettings()) {}

DialogEditCustomLabel::DialogEditCustomLabel(QWidget* mainWindow, const LabelSettings& settings)
    : QDialog(mainWindow), settings_(settings), controls_(std::make_unique<DialogBuilder>(*this, kTemplate)) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  for (int id : kLeftAlignedEdits)
    if (auto* edit = controls_->ControlAs<QLineEdit>(id)) edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Neither button is the default: Enter closes the editor (see keyPressEvent).
  for (int id : {1031, 1041}) {
    if (auto* button = controls_->ControlAs<QPushButton>(id)) button->setAutoDefault(false);
  }
  connect(controls_->ControlAs<QPushButton>(1031), &QPushButton::clicked, this, &DialogEditCustomLabel::Save);
  connect(controls_->ControlAs<QPushButton>(1041), &QPushButton::clicked, this, &QDialog::reject);
  LoadControls();
}

DialogEditCustomLabel::~DialogEditCustomLabel() = default;

QWidget* DialogEditCustomLabel::Control(int id) const { return controls_->Control(id); }

void DialogEditCustomLabel::LoadControls() {
  const auto loadEdit = [this](const Binding& binding) {
    if (auto* edit = controls_->ControlAs<QLineEdit>(binding.id))
      edit->setText(QString::fromStdString(settings_.ReadSettingText(binding.key, binding.divisor)));
  };
  for (const Binding& binding : kLabelEdits) loadEdit(binding);
  for (const Binding& binding : kPrintFlags) {
    if (auto* check = controls_->ControlAs<QCheckBox>(binding.id))
      check->setChecked(settings_.ReadSettingInt(kCustomLabelSection, binding.key) != 0);
  }
  for (const Binding& binding : kPositionEdits) loadEdit(binding);
}

void DialogEditCustomLabel::Save() {
  const auto storeEdit = [this](const Binding& binding) {
    auto* edit = controls_->ControlAs<QLineEdit>(binding.id);
    const std::string text = edit ? edit->text().toStdString() : std::string();
    const std::string* shown = edit ? &text : nullptr;
    if (binding.divisor == 1)
      settings_.StoreEditInt(shown, binding.key);
    else
      settings_.StoreEditScaled(shown, binding.key, binding.divisor);
  };
  for (const Binding& binding : kLabelEdits) storeEdit(binding);
  for (const Binding& binding : kPrintFlags) {
    auto* check = controls_->ControlAs<QCheckBox>(binding.id);
    const bool checked = check && check->isChecked();
    settings_.StoreCheckState(check ? &checked : nullptr, binding.key);
  }
  for (const Binding& binding : kPositionEdits) storeEdit(binding);
  CKestrelDlg::NotifyCustomLabelSizeChanged(parentWidget());
  reject();
}

void DialogEditCustomLabel::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // As the dialog manager does: Enter on a focused button presses it,
    // anywhere else it ends the dialog without writing.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
      button->click();
    else
      accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kestrel
