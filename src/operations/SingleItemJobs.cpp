#include "commands/NamedJob.h"
#include "operations/SingleItemTests.h"

namespace kestrel {

// In the order of the buttons of the single-test group, then the hidden line
// and print tests, then the small-font test.
const std::vector<NamedJob>& SingleItemJobs() {
  static const std::vector<NamedJob> jobs = {
      {"picture", ComposePictureTest},       {"rectangle", ComposeRectangleTest}, {"circle", ComposeCircleTest},
      {"barcode", ComposeBarcodeTest},       {"qrcode", ComposeQrCodeTest},       {"beeper", ComposeBeeperTest},
      {"cashdrawer", ComposeCashDrawerTest}, {"line1", ComposeLineTest1},         {"line2", ComposeLineTest2},
      {"print1", ComposePrintTest1},         {"print2", ComposePrintTest2},       {"smallfont", ComposeSmallFontTest},
  };
  return jobs;
}

}  // namespace kestrel
