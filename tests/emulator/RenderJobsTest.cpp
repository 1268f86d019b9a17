#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/NamedJob.h"
#include "emulator/CommandWords.h"
#include "emulator/EmulatorTestSupport.h"
#include "emulator/PngFile.h"
#include "emulator/VirtualPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

using Size = std::pair<int, int>;

// The custom label reads its layout from the settings file; the test gives it
// a fresh one with the defaults.
class RenderJobsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr) savedDataHome_ = data;
    dataHome_ = new test::TempDir;
    setenv("XDG_DATA_HOME", dataHome_->path().c_str(), 1);
  }
  static void TearDownTestSuite() {
    savedDataHome_ ? setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1) : unsetenv("XDG_DATA_HOME");
    delete dataHome_;
  }

  static Rendering Render(const std::string& job, std::int32_t codePage, JobContext context = {}) {
    const std::vector<std::uint8_t> bytes = test::JobBytes(job, codePage, context);
    return RenderStream(bytes, PrintWidthOfJob(job));
  }

  static inline test::TempDir* dataHome_ = nullptr;
  static inline std::optional<std::string> savedDataHome_;
};

std::vector<Size> PageSizes(const Rendering& rendering) {
  std::vector<Size> sizes;
  for (const Page& page : rendering.pages) sizes.emplace_back(page.canvas.width(), page.canvas.height());
  return sizes;
}

// Each job prints the pages of its print area, widened for a frame sent wider
// than the area (the 60 mm labels' frames span the whole 480-dot label);
// setting jobs print nothing.
TEST_F(RenderJobsTest, EveryJobRendersItsPagesWithoutProblems) {
  const std::map<std::string, std::vector<Size>> expected = {
      {"60x20", {{448, 104}}},   {"60x30", {{480, 224}}},   {"60x40", {{480, 300}}},     {"60x50", {{480, 384}}},
      {"58x20", {{384, 104}}},   {"58x30", {{384, 224}}},   {"58x40", {{384, 300}}},     {"58x50", {{384, 384}}},
      {"80x20", {{576, 104}}},   {"80x30", {{576, 224}}},   {"80x40", {{576, 300}}},     {"80x50", {{576, 384}}},
      {"80x60", {{576, 464}}},   {"picture", {{448, 368}}}, {"rectangle", {{448, 368}}}, {"circle", {{448, 368}}},
      {"barcode", {{448, 368}}}, {"qrcode", {{448, 368}}},  {"line1", {{448, 368}}},     {"line2", {{448, 368}}},
      {"print1", {{384, 160}}},  {"print2", {{456, 320}}},  {"smallfont", {{384, 304}}}, {"custom", {{384, 320}}},
  };
  for (const NamedJob& job : AllJobs()) {
    for (std::int32_t codePage : {936, 1252}) {
      const Rendering rendering = Render(job.name, codePage);
      const auto found = expected.find(job.name);
      EXPECT_EQ(PageSizes(rendering), found == expected.end() ? std::vector<Size>{} : found->second)
          << job.name << " " << codePage;
      EXPECT_EQ(rendering.problems, 0u) << job.name;
      for (const Note& note : rendering.notes) ADD_FAILURE() << job.name << " " << codePage << ": " << note.text;
      for (const Page& page : rendering.pages) EXPECT_FALSE(page.canvas.blank()) << job.name;
    }
  }
}

std::vector<std::string> ScanAll(const Rendering& rendering) {
  std::vector<std::string> found;
  for (const Page& page : rendering.pages)
    for (const std::string& symbol : test::ScanSymbols(page.canvas)) found.push_back(symbol);
  return found;
}

// A scanner library, not our decoder, reads the pictures back. EAN and UPC
// symbols carry a check digit that the printer computes: the scanner reports
// the data sent followed by it.
TEST_F(RenderJobsTest, BarcodesAndQrCodesScanAsSent) {
  const std::map<std::string, std::vector<std::string>> expected = {
      {"60x20", {"UPC-A:123456789012"}},
      {"60x50", {"CODE-128:409", "QR-Code:www.tarnwick.example"}},
      {"58x20", {"UPC-A:123456789012"}},
      {"58x30", {"CODE-128:2500004"}},
      {"58x50", {"CODE-128:409", "QR-Code:www.tarnwick.example"}},
      {"80x20", {"UPC-A:123456789012"}},
      {"80x30", {"CODE-128:2500004"}},
      {"80x50", {"CODE-128:409111", "QR-Code:www.tarnwick.example"}},
      {"80x60", {"CODE-128:2500004"}},
      {"qrcode", {"QR-Code:TarnwickPrinter"}},
      {"smallfont", {"CODE-128:12345678"}},
  };
  for (const auto& [job, symbols] : expected)
    for (std::int32_t codePage : {936, 1252})
      EXPECT_EQ(ScanAll(Render(job, codePage)), symbols) << job << " " << codePage;
}

TEST_F(RenderJobsTest, EverySystemOfTheBarcodeTestScans) {
  const std::vector<std::string> expected = {
      "UPC-A:123456789012",  // sent 123456789011: the printer puts the right check digit
      "UPC-E:01234565",     "EAN-13:1234567890128", "EAN-8:02345673", "CODE-39:12345",
      "I2/5:0123456789",  // nine digits: a leading zero makes the pairs
      "CODE-93:162227Aa",   "CODE-128:12345671",
  };
  for (int index = 0; index < 8; ++index) {
    JobContext context;
    context.settings.BarcodeSystem = std::vector<std::int32_t>{65, 66, 67, 68, 69, 70, 72, 73}[index];
    const Rendering rendering = Render("barcode", 1252, context);
    EXPECT_EQ(ScanAll(rendering), std::vector<std::string>{expected[index]})
        << "system " << context.settings.BarcodeSystem;
  }
  JobContext upcA;
  upcA.settings.BarcodeSystem = 65;
  const Rendering rendering = Render("barcode", 1252, upcA);
  ASSERT_EQ(rendering.notes.size(), 1u);
  EXPECT_EQ(rendering.notes[0].text, "GS k: check digit 1 replaced by 2");
}

bool UpdatingGoldens() {
  for (const std::string& argument : ::testing::internal::GetArgvs())
    if (argument == "--update-golden") return true;
  return false;
}

// Pictures a person has looked at, compared dot for dot. After a deliberate
// change: core_tests --gtest_filter='*Golden*' --update-golden, then look at
// the new pictures before committing them.
TEST_F(RenderJobsTest, GoldenPictures) {
  for (const char* job : {"60x30", "80x60", "qrcode"}) {
    const Rendering rendering = Render(job, 936);
    ASSERT_EQ(rendering.pages.size(), 1u) << job;
    const std::string path = std::string(KESTREL_GOLDEN_DIR) + "/" + job + ".png";
    std::string error;
    if (UpdatingGoldens()) {
      ASSERT_TRUE(WritePng(path, rendering.pages[0].canvas, &error)) << error;
    }
    Canvas golden;
    ASSERT_TRUE(ReadPng(path, &golden, &error)) << error;
    ASSERT_EQ(golden.width(), rendering.pages[0].canvas.width()) << job;
    ASSERT_EQ(golden.height(), rendering.pages[0].canvas.height()) << job;
    int differing = 0;
    for (int y = 0; y < golden.height(); ++y)
      for (int x = 0; x < golden.width(); ++x) differing += golden.At(x, y) != rendering.pages[0].canvas.At(x, y);
    EXPECT_EQ(differing, 0) << job << ": dots differ from " << path;
  }
}

// A job cut at any byte still runs through the printer: at most the one page
// and the one command cut short.
TEST_F(RenderJobsTest, ARealJobCutAtEveryByteRuns) {
  const std::vector<std::uint8_t> whole = test::JobBytes("60x50", 936);
  for (std::size_t cut = 1; cut < whole.size(); cut += cut < 200 ? 1 : 5) {
    const Rendering rendering = RenderStream(std::span(whole).first(cut), kWidth60mm);
    EXPECT_LE(rendering.problems, 1u) << "cut at " << cut;
    EXPECT_TRUE(rendering.pages.empty()) << "cut at " << cut;  // the closing ESC FF is gone
  }
  EXPECT_EQ(RenderStream(whole, kWidth60mm).pages.size(), 1u);
}

}  // namespace
}  // namespace kestrel::emu
