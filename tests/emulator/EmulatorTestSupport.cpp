#include "emulator/EmulatorTestSupport.h"

#include <zbar.h>

#include <algorithm>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "support/TestSupport.h"

namespace kestrel::test {

std::vector<std::uint8_t> JobBytes(const std::string& job, std::int32_t codePage, JobContext context) {
  if (context.now.tm_year == 0) context.now = FixedTime();
  LoadTranslations(codePage);
  BeginJob();
  const NamedJob* named = FindJob(job);
  EXPECT_NE(named, nullptr) << job;
  if (named != nullptr) named->compose(context);
  return Composed();
}

std::vector<std::string> ScanSymbols(const emu::Canvas& page) {
  constexpr int kMargin = 24;
  const int width = page.width() + 2 * kMargin;
  const int height = page.height() + 2 * kMargin;
  std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * height, 0xFF);
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.At(x, y)) grey[static_cast<std::size_t>(y + kMargin) * width + x + kMargin] = 0;

  zbar::zbar_image_scanner_t* scanner = zbar::zbar_image_scanner_create();
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_UPCA, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_UPCE, zbar::ZBAR_CFG_ENABLE, 1);
  zbar::zbar_image_t* image = zbar::zbar_image_create();
  zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(image, width, height);
  zbar::zbar_image_set_data(image, grey.data(), grey.size(), nullptr);
  zbar::zbar_scan_image(scanner, image);
  std::vector<std::string> found;
  for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(image); symbol != nullptr;
       symbol = zbar::zbar_symbol_next(symbol))
    found.push_back(std::string(zbar::zbar_get_symbol_name(zbar::zbar_symbol_get_type(symbol))) + ":" +
                    zbar::zbar_symbol_get_data(symbol));
  zbar::zbar_image_destroy(image);
  zbar::zbar_image_scanner_destroy(scanner);
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace kestrel::test
