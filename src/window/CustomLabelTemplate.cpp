#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

// Template 138: the custom label editor.
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
    {1033, K::LeftEdit, "", 51, 172, 40, 14},
    {1034, K::LeftEdit, "", 98, 172, 40, 14},
    {1035, K::LeftEdit, "", 159, 172, 40, 14},
    {1036, K::LeftEdit, "", 211, 172, 40, 14},
    {1031, K::PushButton, "保存", 55, 207, 50, 14},
    {1041, K::PushButton, "取消", 167, 207, 50, 14},
};

constexpr DialogTemplate kCustomLabelTemplate{138, "自定标签", 309, 228, 8, kControls};

}  // namespace

const DialogTemplate& CustomLabelTemplate() { return kCustomLabelTemplate; }

}  // namespace kestrel
