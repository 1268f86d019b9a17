#include "window/MainWindowJobs.h"

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "operations/SettingTables.h"

namespace kestrel {

namespace {

constexpr int kBarcodeButton = 1020;

}  // namespace

JobContext ReadJobContext(const DialogControls& controls, bool agingRunning) {
  JobContext context;
  context.settings = JobSettings;
  if (auto speed = controls.Text(1073)) context.speedText = *speed;
  if (auto copies = controls.Text(1044)) context.copiesText = *copies;
  if (auto density = controls.Selection(1029)) context.densityIndex = *density;
  if (auto rate = controls.Text(1085)) context.printerBaudText = *rate;
  context.agingRunning = agingRunning;
  context.now = LocalTimeNow();
  return context;
}

bool RunWindowJob(WindowHost& window, const std::string& name, bool agingRunning) {
  const NamedJob* job = FindJob(name);
  if (!job || window.Sending()) return false;
  PrinterLink& link = window.Link();
  if (!ComposeJob(link, *job, ReadJobContext(window.Controls(), agingRunning))) return false;
  window.SendOffThread([&link] { return link.WritePrinter(SendBuffer, SendLength); }, {});
  return true;
}

void PressJobButton(WindowHost& window, int id, const std::string& job, bool agingRunning) {
  if (!FindJob(job) || window.Sending()) return;
  const bool reached = RunWindowJob(window, job, agingRunning);
  if (!reached && id == kBarcodeButton) window.ShowMessage(Translate("打印机未连接！"), "Kestrel");
}

void StoreListSelection(int id, int index) {
  switch (id) {
    case 1010:
      JobSettings.PaperType = index;
      break;
    case 1011:
      JobSettings.PrintDirection = index;
      break;
    case 1012:
      LabelAreaFor(index, &JobSettings.AreaWidthDots, &JobSettings.AreaHeightDots);
      break;
    case 1013:
      if (const std::int32_t system = BarcodeSystemFor(index); system >= 0) JobSettings.BarcodeSystem = system;
      break;
    default:
      break;
  }
}

void StoreBackfeedText(const std::string& text) { JobSettings.BackfeedValue = ParseDecimal(text); }

}  // namespace kestrel
