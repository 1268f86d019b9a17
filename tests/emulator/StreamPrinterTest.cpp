#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "emulator/EmulatorTestSupport.h"
#include "emulator/StreamPrinter.h"
#include "emulator/VirtualPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

// Bytes arriving in pieces of any size, a single byte included, print the
// same pages as the whole stream. (A text can arrive in parts, which are then
// listed as texts of their own.)
TEST(StreamPrinterTest, PiecesOfAnySizePrintTheWholeStreamsPages) {
  std::vector<std::uint8_t> stream = test::JobBytes("60x50", 936);
  const std::vector<std::uint8_t> second = test::JobBytes("80x60", 1252);
  stream.insert(stream.end(), second.begin(), second.end());
  const Rendering whole = RenderStream(stream, kWidth80mm, true);
  ASSERT_EQ(whole.pages.size(), 2u);

  std::mt19937 random(7);
  for (const std::size_t largest : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
    StreamPrinter printer(kWidth80mm);
    for (std::size_t at = 0; at < stream.size();) {
      const std::size_t size = std::min<std::size_t>(1 + random() % largest, stream.size() - at);
      printer.Feed(std::span(stream).subspan(at, size));
      at += size;
    }
    printer.EndStream();
    const std::vector<PrintedPage> pages = printer.TakePages();
    ASSERT_EQ(pages.size(), 2u) << "pieces up to " << largest;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      EXPECT_TRUE(pages[i].page.canvas == whole.pages[i].canvas) << "page " << i << ", pieces up to " << largest;
      ASSERT_FALSE(pages[i].commands.empty());
      const auto printed =
          std::find_if(pages[i].commands.begin(), pages[i].commands.end(),
                       [](const std::string& line) { return line.ends_with("ESC FF  print the page"); });
      ASSERT_NE(printed, pages[i].commands.end());
      EXPECT_EQ(printed[1].rfind("-- drawn: ", 0), 0u) << printed[1];  // the page's account follows
      EXPECT_EQ(pages[i].commands.back().rfind("-- ", 0), 0u) << pages[i].commands.back();
    }
  }
}

// A command that never ends is given up at the bound, and what follows prints.
TEST(StreamPrinterTest, ACommandLongerThanTheBoundIsGivenUp) {
  StreamPrinter printer(kWidth58mm);
  printer.Feed(test::Hex("1D 76 30 00 FF FF FF FF"));  // a raster image of 4 GB
  std::vector<std::uint8_t> filler(StreamPrinter::kMaxPendingBytes, 0x00);
  printer.Feed(filler);
  printer.Feed(test::Hex("1B 40 41 0A"));
  printer.EndStream();
  const std::vector<std::string> messages = printer.TakeMessages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "!! unknown command 1D at 00000000");
  EXPECT_EQ(printer.TakePages().size(), 1u);  // the roll with the A
}

}  // namespace
}  // namespace kestrel::emu
