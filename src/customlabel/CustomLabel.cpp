#include "customlabel/CustomLabel.h"

#include <string>

#include "commands/Barcode.h"
#include "commands/Commands.h"
#include "commands/DisplayText.h"
#include "commands/PageFrame.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "language/ContactTexts.h"

namespace kestrel {
namespace {

// The two sample texts, literals sent alike in every interface language.
constexpr const char kText1[] = "文本测试1 Text Test1";
constexpr const char kText2[] = "文本测试2 Text Test2";

enum class Content { Text1, Text2, Barcode1, Barcode2, Qrcode1, Qrcode2, Image1, Image2 };

struct Element {
  const char* flagKey;
  const char* xKey;
  const char* yKey;
  Content content;
};

// In the order the job composes them.
constexpr Element kElements[] = {
    {"IsPrint_Text1", "Custom_X_Text1", "Custom_Y_Text1", Content::Text1},
    {"IsPrint_Text2", "Custom_X_Text2", "Custom_Y_Text2", Content::Text2},
    {"IsPrint_Barcode1", "Custom_X_Barcode1", "Custom_Y_Barcode1", Content::Barcode1},
    {"IsPrint_Barcode2", "Custom_X_Barcode2", "Custom_Y_Barcode2", Content::Barcode2},
    {"IsPrint_Qrcode1", "Custom_X_Qrcode1", "Custom_Y_Qrcode1", Content::Qrcode1},
    {"IsPrint_Qrcode2", "Custom_X_Qrcode2", "Custom_Y_Qrcode2", Content::Qrcode2},
    {"IsPrint_Image1", "Custom_X_Image1", "Custom_Y_Image1", Content::Image1},
    {"IsPrint_Image2", "Custom_X_Image2", "Custom_Y_Image2", Content::Image2},
};

// CODE128 bar codes, module width 3, 20 dots high, no human-readable line.
void AppendSampleBarcode(const std::string& data) { AppendBarcode(data, kCode128, 3, 20, kNoBarText); }

void AppendContent(Content content) {
  switch (content) {
    case Content::Text1:
      AppendLiteralText(kText1);
      break;
    case Content::Text2:
      AppendLiteralText(kText2);
      break;
    case Content::Barcode1:
      AppendSampleBarcode("409");
      break;
    case Content::Barcode2:
      AppendSampleBarcode("400");
      break;
    case Content::Qrcode1:
      AppendQrCode(kCustomQrAddress1);
      break;
    case Content::Qrcode2:
      AppendQrCode(kCustomQrAddress2);
      break;
    case Content::Image1:
    case Content::Image2:
      AppendPicture(kBrandMarkBitmap);
      break;
  }
}

}  // namespace

void ComposeCustomLabel(const JobContext& context, const LabelSettings& settings) {
  const auto read = [&settings](const char* key) { return settings.ReadSettingInt(kCustomLabelSection, key); };
  const std::int32_t x = read("CustomLabel_X");
  const std::int32_t y = read("CustomLabel_Y");
  const std::int32_t width = read("CustomLabel_Width");
  const std::int32_t height = read("CustomLabel_Height");
  const std::int32_t rectX = read("Custom_X_Rect");
  const std::int32_t rectY = read("Custom_Y_Rect");
  const std::int32_t rectWidth = read("Custom_dX_Rect");
  const std::int32_t rectHeight = read("Custom_dY_Rect");
  if (!OpenPageJob(context, kCustomLabelFrame, width, height, x, y)) return;
  if (read("IsPrint_Rect") != 0) cmd::EscRect(rectX, rectY, rectWidth, rectHeight);
  for (const Element& element : kElements) {
    if (read(element.flagKey) == 0) continue;
    cmd::Position(read(element.xKey), read(element.yKey));
    AppendContent(element.content);
  }
  cmd::EscFF();
}

void ComposeCustomLabel(const JobContext& context) { ComposeCustomLabel(context, GetLabelSettings()); }

}  // namespace kestrel
