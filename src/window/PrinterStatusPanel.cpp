#include "window/PrinterStatusPanel.h"

#include "language/TranslationMap.h"
#include "window/DialogTemplate.h"
#include "window/MainWindowController.h"

namespace kestrel {
namespace {

const char* Say(const char* chinese, const char* english) { return InterfaceIsChinese() ? chinese : english; }

}  // namespace

PrinterStatusPanel::PrinterStatusPanel(MainWindowController& controller, DialogControls& controls)
    : controller_(controller), controls_(controls) {}

PrinterStatusPanel::~PrinterStatusPanel() { *self_ = nullptr; }

void PrinterStatusPanel::Open() {
  controls_.SetText(kPrinterStatusRefresh, Say("刷新", "Refresh"));
  controls_.SetText(kPrinterStatusClose, Say("关闭", "Close"));
  Refresh();
}

void PrinterStatusPanel::Refresh() {
  if (asking_) return;
  if (controller_.Sending()) {
    Show(Say("正在发送，发送结束后请刷新。", "A job is going out; refresh when it has ended."));
    return;
  }
  // The port opens on the window's thread, as for every job; only the
  // questions and their answers wait on the line.
  PrinterLink& link = controller_.Link();
  link.ReconnectPrinter();
  if (!link.Connected()) {
    PrinterReport report;
    report.unreachable = link.LastError().empty() ? Say("端口未打开", "the port did not open") : link.LastError();
    Show(PrinterReportText(report));
    return;
  }
  auto report = std::make_shared<PrinterReport>();
  const bool started = controller_.SendOffThread(
      [&link, report] {
        *report = AskPrinter(link);
        return true;
      },
      [self = self_, report](bool) {
        if (PrinterStatusPanel* panel = *self) {
          panel->asking_ = false;
          panel->controls_.SetEnabled(kPrinterStatusRefresh, true);
          panel->Show(PrinterReportText(*report));
        }
      });
  if (!started) return;
  asking_ = true;
  controls_.SetEnabled(kPrinterStatusRefresh, false);
  Show(Say("正在询问打印机...", "Asking the printer..."));
}

void PrinterStatusPanel::Show(const std::string& text) { controls_.SetText(kPrinterStatusText, text); }

}  // namespace kestrel
