#pragma once

#include "commands/JobSettings.h"

namespace kestrel {

// The single-item tests of the main window. Each starts a job at index 0 of
// SendBuffer. The area tests (picture to line test 2) print into the area of
// the label-size list, AreaWidthDots x AreaHeightDots; the others use areas
// of their own. Their printed texts are literals, the same in both languages.
void ComposePictureTest(const JobContext& context);     // brand picture in the middle of the area
void ComposeRectangleTest(const JobContext& context);   // six nested rectangles
void ComposeCircleTest(const JobContext& context);      // four concentric circles
void ComposeBarcodeTest(const JobContext& context);     // the sample data of BarcodeSystem
void ComposeQrCodeTest(const JobContext& context);      // "TarnwickPrinter"
void ComposeBeeperTest(const JobContext& context);      // ESC B, no page mode
void ComposeCashDrawerTest(const JobContext& context);  // ESC p on both drawer pins, no page mode
void ComposeLineTest1(const JobContext& context);       // two 20-dot bars
void ComposeLineTest2(const JobContext& context);       // one 120-dot bar
void ComposePrintTest1(const JobContext& context);      // a measured value, 384 x 160
void ComposePrintTest2(const JobContext& context);      // an inspection report form, 456 x 320
void ComposeSmallFontTest(const JobContext& context);   // a ward specimen label, 384 x 304

}  // namespace kestrel
