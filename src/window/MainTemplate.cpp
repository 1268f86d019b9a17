#include "window/ControlIds.h"
#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

using K = ControlKind;
constexpr bool kHidden = false;

// Template 102: the main window. Captions are the template's own texts; the
// window replaces most of them through the caption table at start-up.
// Drop-down list heights are those of the opened list.
constexpr DialogControl kMainControls[] = {
    {kPortGroup, K::GroupBox, "端口连接", 5, 8, 307, 29},
    {kPortTypeLabel, K::RightLabel, "端口类型：", 11, 19, 37, 8},
    {kPortList, K::DropDownEdit, "", 50, 17, 48, 103},
    {kBaudLabel, K::RightLabel, "波特率：", 117, 19, 41, 8},
    {kBaudList, K::DropDownList, "", 168, 17, 56, 65},
    {kConnectButton, K::PushButton, "连接", 256, 17, 50, 14},

    {kSettingsGroup, K::GroupBox, "公共参数设置", 7, 42, 306, 99},
    {kPaperTypeLabel, K::Label, "纸张类型", 15, 57, 43, 8},
    {kPaperTypeList, K::DropDownList, "", 64, 54, 71, 62},
    {kDirectionLabel, K::RightLabel, "打印方向", 146, 56, 51, 8},
    {kDirectionList, K::DropDownList, "", 202, 54, 68, 68},
    {kBackfeedLabel, K::Label, "打印前回退：", 14, 75, 42, 8},
    {kBackfeedEdit, K::Edit, "", 56, 72, 48, 14},
    {kBackfeedButton, K::PushButton, "设置回退", 105, 71, 50, 14},
    {kDensityLabel, K::Label, "打印浓度:", 168, 73, 31, 8},
    {kDensityList, K::DropDownList, "", 204, 72, 52, 104},
    {kDensityButton, K::PushButton, "设置浓度", 258, 71, 50, 14},
    {kSpeedLabel, K::Label, "打印速度:", 15, 95, 31, 8},
    {kSpeedList, K::DropDownList, "", 56, 91, 48, 124},
    {kSpeedButton, K::PushButton, "设置速度", 105, 89, 50, 14},
    {kSpeedNote, K::Label, "*速度：掉电不保存，数值越高，速度越慢", 168, 89, 137, 16},
    {kCopiesLabel, K::Label, "打印份数:", 15, 110, 31, 8},
    {kCopiesEdit, K::DigitEdit, "", 56, 108, 48, 14},
    {kFactoryResetButton, K::PushButton, "恢复出厂设置", 105, 108, 50, 14},
    {kSelfTestButton, K::PushButton, "自检页", 156, 108, 50, 14},
    {kBlackMarkOnButton, K::PushButton, "黑标开", 208, 108, 50, 14},
    {kBlackMarkOffButton, K::PushButton, "黑标关", 261, 108, 50, 14},
    {kPrinterBaudLabel, K::Label, "串口波特率:", 14, 129, 38, 8},
    {kPrinterBaudList, K::DropDownList, "", 56, 125, 48, 76},
    {kPrinterBaudButton, K::PushButton, "设置串口波特率", 105, 124, 50, 14},
    {kSelfLearnButton, K::PushButton, "自学习", 156, 124, 50, 14},
    {kLocateButton, K::PushButton, "定位打印位置", 208, 124, 50, 14},

    {k60mmGroup, K::GroupBox, "2.33寸测试标签", 6, 146, 96, 42},
    {k60x20Button, K::PushButton, "60*20", 8, 155, 44, 14},
    {k60x30Button, K::PushButton, "60*30", 8, 171, 44, 14},
    {k60x40Button, K::PushButton, "60*40", 53, 155, 44, 14},
    {k60x50Button, K::PushButton, "60*50", 53, 171, 44, 14},

    {k58mmGroup, K::GroupBox, "2寸测试标签", 113, 146, 96, 42},
    {k58x20Button, K::PushButton, "58(48)*20", 115, 155, 44, 14},
    {k58x30Button, K::PushButton, "58(48)*30", 115, 171, 44, 14},
    {k58x40Button, K::PushButton, "58(48)*40", 161, 155, 44, 14},
    {k58x50Button, K::PushButton, "58(48)*50", 161, 171, 44, 14},

    {k80mmGroup, K::GroupBox, "3寸测试标签", 218, 146, 96, 42},
    {k80x30Button, K::PushButton, "80(72)*30", 222, 155, 44, 14},
    {k80x50Button, K::PushButton, "80(72)*50", 266, 155, 44, 14},
    {k80x40Button, K::PushButton, "80(72)*40", 222, 171, 44, 14},
    {k80x60Button, K::PushButton, "80(72)*60", 267, 171, 44, 14},

    {kAgingGroup, K::GroupBox, "老化测试", 7, 189, 307, 46},
    {kIntervalLabel, K::Label, "打印间隔:", 14, 204, 44, 8},
    {kIntervalEdit, K::DigitEdit, "", 61, 200, 75, 14},
    {kMillisecondsLabel, K::Label, "毫秒", 140, 204, 15, 8},
    {kAgingSizeLabel, K::Label, "尺寸选择:", 180, 202, 31, 8},
    {kAgingSizeList, K::DropDownList, "", 211, 201, 78, 112},
    {kAgingStartButton, K::PushButton, "开始", 12, 218, 50, 14},
    {kAgingStopButton, K::PushButton, "停止", 69, 218, 50, 14},
    {kResetCountButton, K::PushButton, "复位计数", 127, 218, 50, 14},
    {kSendCountLabel, K::Label, "发送计数:", 180, 220, 31, 8},
    {kSendCountDisplay, K::CentreLabel, "0", 221, 219, 83, 8},

    {kSingleItemGroup, K::GroupBox, "单独项测试", 7, 238, 307, 71},
    {kLabelSizeLabel, K::Label, "标签尺寸", 13, 251, 28, 8},
    {kLabelSizeList, K::DropDownList, "", 46, 250, 70, 179},
    {kBarcodeTypeLabel, K::Label, "条码类型", 128, 251, 28, 8},
    {kBarcodeTypeList, K::DropDownList, "", 160, 250, 70, 110},
    {kBarcodeButton, K::PushButton, "打印条码", 238, 248, 50, 14},
    {kPictureButton, K::PushButton, "图片测试", 11, 268, 48, 14},
    {kRectangleButton, K::PushButton, "矩形测试", 60, 268, 48, 14},
    {kCircleButton, K::PushButton, "圆形测试", 110, 268, 48, 14},
    {kQrCodeButton, K::PushButton, "二维码测试", 160, 268, 48, 14},
    {kPrintSelfTestButton, K::PushButton, "打印自检页", 209, 268, 48, 14},
    {kBeeperButton, K::PushButton, "蜂鸣测试", 258, 268, 48, 14},
    {kCashDrawerButton, K::PushButton, "钱箱测试", 11, 286, 48, 14},
    {kSmallFontButton, K::PushButton, "小字体测试(57x40)", 60, 286, 84, 14},

    {kConsoleGroup, K::GroupBox, "标准模式", 7, 311, 307, 102},
    {kConsoleBox, K::RichText, "", 14, 324, 287, 64},
    {kConsoleCountLabel, K::Label, "发送次数:", 14, 397, 31, 8},
    {kConsoleCountEdit, K::Edit, "", 45, 393, 40, 14},
    {kConsoleSendButton, K::PushButton, "发送", 87, 393, 50, 14},
    {kHexBox, K::CheckBox, "HEX", 146, 395, 29, 10},
    {kStandardModeButton, K::PushButton, "标准模式", 184, 393, 65, 14},
    {kClearButton, K::PushButton, "清空", 256, 393, 50, 14},

    // Present but never shown: the operator cannot reach these.
    {k80x20Button, K::PushButton, "80(72)*20", 208, 307, 44, 14, kHidden},
    {kCustomLabelButton, K::PushButton, "打印自定义标签", 268, 304, 50, 14, kHidden},
    {kDesignLabelButton, K::PushButton, "设计标签", 266, 305, 50, 14, kHidden},
    {kCustomWidthEdit, K::ReadOnlyDigitEdit, "", 270, 306, 40, 14, kHidden},
    {kCustomHeightEdit, K::ReadOnlyDigitEdit, "", 271, 305, 40, 14, kHidden},
    {kLine1Button, K::PushButton, "线条测试1", 268, 289, 40, 14, kHidden},
    {kLine2Button, K::PushButton, "线条测试2", 269, 288, 40, 14, kHidden},
    {kPrint1Button, K::PushButton, "打印测试1", 271, 288, 40, 14, kHidden},
    {kPrint2Button, K::PushButton, "打印测试1", 269, 287, 40, 14, kHidden},
};

constexpr DialogTemplate kMainTemplate{102, "Kestrel", 320, 419, 9, kMainControls};

}  // namespace

const DialogTemplate& MainWindowTemplate() { return kMainTemplate; }

}  // namespace kestrel
