#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

using K = ControlKind;
constexpr bool kHidden = false;

// Template 102: the main window. Captions are the template's own texts; the
// window replaces most of them through the caption table at start-up.
// Drop-down list heights are those of the opened list.
constexpr DialogControl kMainControls[] = {
    {1087, K::GroupBox, "端口连接", 5, 8, 307, 29},
    {1088, K::RightLabel, "端口类型：", 11, 19, 37, 8},
    {1000, K::DropDownList, "", 50, 17, 48, 103},
    {1089, K::RightLabel, "波特率：", 117, 19, 41, 8},
    {1001, K::DropDownList, "", 168, 17, 56, 65},
    {1003, K::PushButton, "连接", 256, 17, 50, 14},

    {1090, K::GroupBox, "公共参数设置", 7, 42, 306, 99},
    {1091, K::Label, "纸张类型", 15, 57, 43, 8},
    {1010, K::DropDownList, "", 64, 54, 71, 62},
    {1092, K::RightLabel, "打印方向", 146, 56, 51, 8},
    {1011, K::DropDownList, "", 202, 54, 68, 68},
    {1093, K::Label, "打印前回退：", 14, 75, 42, 8},
    {1022, K::Edit, "", 56, 72, 48, 14},
    {1023, K::PushButton, "设置回退", 105, 71, 50, 14},
    {1094, K::Label, "打印浓度:", 168, 73, 31, 8},
    {1029, K::DropDownList, "", 204, 72, 52, 104},
    {1030, K::PushButton, "设置浓度", 258, 71, 50, 14},
    {1096, K::Label, "打印速度:", 15, 95, 31, 8},
    {1073, K::DropDownList, "", 56, 91, 48, 124},
    {1074, K::PushButton, "设置速度", 105, 89, 50, 14},
    {1095, K::Label, "*速度：掉电不保存，数值越高，速度越慢", 168, 89, 137, 16},
    {1097, K::Label, "打印份数:", 15, 110, 31, 8},
    {1044, K::DigitEdit, "", 56, 108, 48, 14},
    {1080, K::PushButton, "恢复出厂设置", 105, 108, 50, 14},
    {1081, K::PushButton, "自检页", 156, 108, 50, 14},
    {1082, K::PushButton, "黑标开", 208, 108, 50, 14},
    {1083, K::PushButton, "黑标关", 261, 108, 50, 14},
    {1098, K::Label, "串口波特率:", 14, 129, 38, 8},
    {1085, K::DropDownList, "", 56, 125, 48, 76},
    {1086, K::PushButton, "设置串口波特率", 105, 124, 50, 14},
    {1004, K::PushButton, "自学习", 156, 124, 50, 14},
    {1016, K::PushButton, "定位打印位置", 208, 124, 50, 14},

    {1099, K::GroupBox, "2.33寸测试标签", 6, 146, 96, 42},
    {1005, K::PushButton, "60*20", 8, 155, 44, 14},
    {1006, K::PushButton, "60*30", 8, 171, 44, 14},
    {1007, K::PushButton, "60*40", 53, 155, 44, 14},
    {1009, K::PushButton, "60*50", 53, 171, 44, 14},

    {1100, K::GroupBox, "2寸测试标签", 113, 146, 96, 42},
    {1008, K::PushButton, "58(48)*20", 115, 155, 44, 14},
    {1014, K::PushButton, "58(48)*30", 115, 171, 44, 14},
    {1024, K::PushButton, "58(48)*40", 161, 155, 44, 14},
    {1015, K::PushButton, "58(48)*50", 161, 171, 44, 14},

    {1101, K::GroupBox, "3寸测试标签", 218, 146, 96, 42},
    {1026, K::PushButton, "80(72)*30", 222, 155, 44, 14},
    {1027, K::PushButton, "80(72)*50", 266, 155, 44, 14},
    {1028, K::PushButton, "80(72)*40", 222, 171, 44, 14},
    {1043, K::PushButton, "80(72)*60", 267, 171, 44, 14},

    {1102, K::GroupBox, "老化测试", 7, 189, 307, 46},
    {1104, K::Label, "打印间隔:", 14, 204, 44, 8},
    {1047, K::DigitEdit, "", 61, 200, 75, 14},
    {1105, K::Label, "毫秒", 140, 204, 15, 8},
    {1106, K::Label, "尺寸选择:", 180, 202, 31, 8},
    {1075, K::DropDownList, "", 211, 201, 78, 112},
    {1076, K::PushButton, "开始", 12, 218, 50, 14},
    {1077, K::PushButton, "停止", 69, 218, 50, 14},
    {1079, K::PushButton, "复位计数", 127, 218, 50, 14},
    {1107, K::Label, "发送计数:", 180, 220, 31, 8},
    {1078, K::CentreLabel, "0", 221, 219, 83, 8},

    {1103, K::GroupBox, "单独项测试", 7, 238, 307, 71},
    {1108, K::Label, "标签尺寸", 13, 251, 28, 8},
    {1012, K::DropDownList, "", 46, 250, 70, 179},
    {1109, K::Label, "条码类型", 128, 251, 28, 8},
    {1013, K::DropDownList, "", 160, 250, 70, 110},
    {1020, K::PushButton, "打印条码", 238, 248, 50, 14},
    {1017, K::PushButton, "图片测试", 11, 268, 48, 14},
    {1018, K::PushButton, "矩形测试", 60, 268, 48, 14},
    {1019, K::PushButton, "圆形测试", 110, 268, 48, 14},
    {1021, K::PushButton, "二维码测试", 160, 268, 48, 14},
    {1031, K::PushButton, "打印自检页", 209, 268, 48, 14},
    {1032, K::PushButton, "蜂鸣测试", 258, 268, 48, 14},
    {1045, K::PushButton, "钱箱测试", 11, 286, 48, 14},
    {1084, K::PushButton, "小字体测试(57x40)", 60, 286, 84, 14},

    {1110, K::GroupBox, "标准模式", 7, 311, 307, 102},
    {1039, K::RichText, "", 14, 324, 287, 64},
    {1111, K::Label, "发送次数:", 14, 397, 31, 8},
    {1034, K::Edit, "", 45, 393, 40, 14},
    {1035, K::PushButton, "发送", 87, 393, 50, 14},
    {1037, K::CheckBox, "HEX", 146, 395, 29, 10},
    {1036, K::PushButton, "标准模式", 184, 393, 65, 14},
    {1038, K::PushButton, "清空", 256, 393, 50, 14},

    // Present but never shown: the operator cannot reach these.
    {1025, K::PushButton, "80(72)*20", 208, 307, 44, 14, kHidden},
    {1040, K::PushButton, "打印自定义标签", 268, 304, 50, 14, kHidden},
    {1042, K::PushButton, "设计标签", 266, 305, 50, 14, kHidden},
    {1033, K::ReadOnlyDigitEdit, "", 270, 306, 40, 14, kHidden},
    {1041, K::ReadOnlyDigitEdit, "", 271, 305, 40, 14, kHidden},
    {1046, K::PushButton, "线条测试1", 268, 289, 40, 14, kHidden},
    {1048, K::PushButton, "线条测试2", 269, 288, 40, 14, kHidden},
    {1049, K::PushButton, "打印测试1", 271, 288, 40, 14, kHidden},
    {1050, K::PushButton, "打印测试1", 269, 287, 40, 14, kHidden},
};

constexpr DialogTemplate kMainTemplate{102, "Kestrel", 320, 419, 9, kMainControls};

}  // namespace

const DialogTemplate& MainWindowTemplate() { return kMainTemplate; }

}  // namespace kestrel
