#pragma once

namespace kestrel {

// The controls of the main window (template 102) by their numeric ids, named
// after the template's rows and listed in its order. The numbers are the
// template's own and never change: stored tests and the interface texts'
// caption table address the controls by them.
enum ControlId : int {
  // Port connection
  kPortGroup = 1087,
  kPortTypeLabel = 1088,
  kPortList = 1000,
  kBaudLabel = 1089,
  kBaudList = 1001,
  kConnectButton = 1003,

  // Common settings
  kSettingsGroup = 1090,
  kPaperTypeLabel = 1091,
  kPaperTypeList = 1010,
  kDirectionLabel = 1092,
  kDirectionList = 1011,
  kBackfeedLabel = 1093,
  kBackfeedEdit = 1022,
  kBackfeedButton = 1023,
  kDensityLabel = 1094,
  kDensityList = 1029,
  kDensityButton = 1030,
  kSpeedLabel = 1096,
  kSpeedList = 1073,
  kSpeedButton = 1074,
  kSpeedNote = 1095,
  kCopiesLabel = 1097,
  kCopiesEdit = 1044,
  kFactoryResetButton = 1080,
  kSelfTestButton = 1081,
  kBlackMarkOnButton = 1082,
  kBlackMarkOffButton = 1083,
  kPrinterBaudLabel = 1098,
  kPrinterBaudList = 1085,
  kPrinterBaudButton = 1086,
  kSelfLearnButton = 1004,
  kLocateButton = 1016,

  // 2.33 inch test labels
  k60mmGroup = 1099,
  k60x20Button = 1005,
  k60x30Button = 1006,
  k60x40Button = 1007,
  k60x50Button = 1009,

  // 2 inch test labels
  k58mmGroup = 1100,
  k58x20Button = 1008,
  k58x30Button = 1014,
  k58x40Button = 1024,
  k58x50Button = 1015,

  // 3 inch test labels
  k80mmGroup = 1101,
  k80x30Button = 1026,
  k80x50Button = 1027,
  k80x40Button = 1028,
  k80x60Button = 1043,

  // Aging test
  kAgingGroup = 1102,
  kIntervalLabel = 1104,
  kIntervalEdit = 1047,
  kMillisecondsLabel = 1105,
  kAgingSizeLabel = 1106,
  kAgingSizeList = 1075,
  kAgingStartButton = 1076,
  kAgingStopButton = 1077,
  kResetCountButton = 1079,
  kSendCountLabel = 1107,
  kSendCountDisplay = 1078,

  // Single-item tests
  kSingleItemGroup = 1103,
  kLabelSizeLabel = 1108,
  kLabelSizeList = 1012,
  kBarcodeTypeLabel = 1109,
  kBarcodeTypeList = 1013,
  kBarcodeButton = 1020,
  kPictureButton = 1017,
  kRectangleButton = 1018,
  kCircleButton = 1019,
  kQrCodeButton = 1021,
  kPrintSelfTestButton = 1031,
  kBeeperButton = 1032,
  kCashDrawerButton = 1045,
  kSmallFontButton = 1084,

  // Standard-mode console
  kConsoleGroup = 1110,
  kConsoleBox = 1039,
  kConsoleCountLabel = 1111,
  kConsoleCountEdit = 1034,
  kConsoleSendButton = 1035,
  kHexBox = 1037,
  kStandardModeButton = 1036,
  kClearButton = 1038,

  // Present but never shown
  k80x20Button = 1025,
  kCustomLabelButton = 1040,
  kDesignLabelButton = 1042,
  kCustomWidthEdit = 1033,
  kCustomHeightEdit = 1041,
  kLine1Button = 1046,
  kLine2Button = 1048,
  kPrint1Button = 1049,
  kPrint2Button = 1050,
};

}  // namespace kestrel
