#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

// The "Printer status..." dialog: what the printer on the chosen port says
// of its status and of itself, and a button to ask again.
constexpr DialogControl kPrinterStatusControls[] = {
    {kPrinterStatusText, ControlKind::RichText, "", 7, 7, 246, 164},
    {kPrinterStatusRefresh, ControlKind::PushButton, "刷新", 142, 177, 54, 14},
    {kPrinterStatusClose, ControlKind::PushButton, "关闭", 199, 177, 54, 14},
};

constexpr DialogTemplate kPrinterStatusTemplate{140, "打印机状态", 260, 198, 9, kPrinterStatusControls};

}  // namespace

const DialogTemplate& PrinterStatusTemplate() { return kPrinterStatusTemplate; }

}  // namespace kestrel
