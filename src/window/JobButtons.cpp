#include "window/JobButtons.h"

#include "window/ControlIds.h"

namespace kestrel {

namespace {

constexpr JobButton kJobButtons[] = {
    // Printer settings
    {kSelfLearnButton, "selflearn"},
    {kLocateButton, "locate"},
    {kBackfeedButton, "backfeed"},
    {kDensityButton, "density"},
    {kSpeedButton, "speed"},
    {kFactoryResetButton, "factoryreset"},
    {kPrintSelfTestButton, "selftest"},
    {kSelfTestButton, "selftest"},
    {kBlackMarkOnButton, "blackmark-on"},
    {kBlackMarkOffButton, "blackmark-off"},
    {kPrinterBaudButton, "printer-baud"},
    // Test labels
    {k60x20Button, "60x20"},
    {k60x30Button, "60x30"},
    {k60x40Button, "60x40"},
    {k60x50Button, "60x50"},
    {k58x20Button, "58x20"},
    {k58x30Button, "58x30"},
    {k58x40Button, "58x40"},
    {k58x50Button, "58x50"},
    {k80x20Button, "80x20"},
    {k80x30Button, "80x30"},
    {k80x40Button, "80x40"},
    {k80x50Button, "80x50"},
    {k80x60Button, "80x60"},
    // Single-item tests
    {kPictureButton, "picture"},
    {kRectangleButton, "rectangle"},
    {kCircleButton, "circle"},
    {kBarcodeButton, "barcode"},
    {kQrCodeButton, "qrcode"},
    {kBeeperButton, "beeper"},
    {kCashDrawerButton, "cashdrawer"},
    {kLine1Button, "line1"},
    {kLine2Button, "line2"},
    {kPrint1Button, "print1"},
    {kPrint2Button, "print2"},
    {kSmallFontButton, "smallfont"},
    // Custom label
    {kCustomLabelButton, "custom"},
};

}  // namespace

std::span<const JobButton> JobButtons() { return kJobButtons; }

}  // namespace kestrel
