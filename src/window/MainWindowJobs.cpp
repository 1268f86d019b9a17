#include "window/MainWindowJobs.h"

#include "commands/SendBuffer.h"
#include "operations/SettingTables.h"
#include "window/ControlIds.h"

namespace kestrel {

JobContext ReadJobContext(const DialogControls& controls, bool agingRunning) {
  JobContext context;
  context.settings = JobSettings;
  if (auto speed = controls.Text(kSpeedList)) context.speedText = *speed;
  if (auto copies = controls.Text(kCopiesEdit)) context.copiesText = *copies;
  if (auto density = controls.Selection(kDensityList)) context.densityIndex = *density;
  if (auto rate = controls.Text(kPrinterBaudList)) context.printerBaudText = *rate;
  context.agingRunning = agingRunning;
  context.now = LocalTimeNow();
  return context;
}

void StoreListSelection(int id, int index) {
  switch (id) {
    case kPaperTypeList:
      JobSettings.PaperType = index;
      break;
    case kDirectionList:
      JobSettings.PrintDirection = index;
      break;
    case kLabelSizeList:
      LabelAreaFor(index, &JobSettings.AreaWidthDots, &JobSettings.AreaHeightDots);
      break;
    case kBarcodeTypeList:
      if (const std::int32_t system = BarcodeSystemFor(index); system >= 0) JobSettings.BarcodeSystem = system;
      break;
    default:
      break;
  }
}

void StoreBackfeedText(const std::string& text) { JobSettings.BackfeedValue = ParseDecimal(text); }

}  // namespace kestrel
