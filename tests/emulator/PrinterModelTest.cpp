#include <gtest/gtest.h>

#include <string>

#include "emulator/PictureSeries.h"
#include "emulator/VirtualPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

using test::Hex;

// Page mode, direction d, a print area of 200 x 100 dots, cleared.
std::string Frame(int direction) {
  return "1B 40 1B 4C 1B 54 0" + std::to_string(direction) + " 1B 57 00 00 00 00 C8 00 64 00 18 ";
}

Rendering Render(const std::string& hex, int width = kWidth58mm) { return RenderStream(Hex(hex), width); }

Canvas OnlyPage(const Rendering& rendering) {
  EXPECT_EQ(rendering.pages.size(), 1u);
  EXPECT_EQ(rendering.problems, 0u);
  return rendering.pages.empty() ? Canvas() : rendering.pages[0].canvas;
}

struct Dot {
  int x, y;
  bool printed;
};

TEST(PrinterModelTest, ShapesLandOnTheirDots) {
  const Canvas page =
      OnlyPage(Render(Frame(0) + "1B 6E 02 1B 6D 0A 00 0A 00 32 00 1E 00 "  // frame (10,10) 50 x 30, width 2
                                 "1B 6C 03 64 00 14 00 B4 00 14 00 "        // line (100,20)-(180,20), width 3
                                 "1B 6F 96 00 46 00 14 00 "                 // circle at (150,70), radius 20
                                 "1B 0C"));
  const Dot dots[] = {
      {10, 10, true},  {11, 11, true},   {12, 12, false},  {59, 39, true},   {58, 38, true},  {57, 37, false},
      {35, 25, false}, {9, 10, false},   {60, 10, false},  {100, 20, true},  {180, 22, true}, {180, 23, false},
      {99, 20, false}, {181, 20, false}, {170, 70, true},  {150, 50, true},  {130, 70, true}, {150, 90, true},
      {164, 84, true}, {150, 70, false}, {171, 70, false}, {160, 70, false},
  };
  for (const Dot& dot : dots) EXPECT_EQ(page.At(dot.x, dot.y), dot.printed) << dot.x << "," << dot.y;
}

// Texts start at the position set: font A in a 12 x 24 cell, a Chinese
// character in 24 x 24, GS ! 11 doubles both sides.
TEST(PrinterModelTest, CharactersFillTheirCells) {
  const Canvas page = OnlyPage(Render(Frame(0) + "1B 24 05 00 1D 24 0A 00 41 "           // A at (5, 10)
                                                 "1B 24 14 00 BA CF "                    // 合 at (20, 10)
                                                 "1B 24 3C 00 1D 24 0A 00 1D 21 11 41 "  // double A at (60, 10)
                                                 "1B 0C"));
  EXPECT_GT(page.Count(5, 10, 12, 24), 20);
  EXPECT_GT(page.Count(20, 10, 24, 24), 60);
  EXPECT_GT(page.Count(60, 10, 24, 48), 2 * page.Count(5, 10, 12, 24));
  EXPECT_EQ(page.Count(0, 0, 200, 10), 0);    // nothing above the line
  EXPECT_EQ(page.Count(0, 10, 5, 90), 0);     // nor left of the first cell
  EXPECT_EQ(page.Count(17, 10, 3, 24), 0);    // nor between A and 合
  EXPECT_EQ(page.Count(0, 34, 60, 66), 0);    // nor below the normal cells
  EXPECT_EQ(page.Count(84, 0, 116, 100), 0);  // nor right of the double cell
}

// A 10 x 5 block at the logical origin lands in the corner the direction
// starts from, turned with the page.
TEST(PrinterModelTest, DirectionsTurnThePage) {
  struct Turn {
    int direction;
    int x, y, w, h;
  };
  const Turn turns[] = {{0, 0, 0, 10, 5}, {1, 0, 90, 5, 10}, {2, 190, 95, 10, 5}, {3, 195, 0, 5, 10}};
  for (const Turn& turn : turns) {
    const Canvas page = OnlyPage(Render(Frame(turn.direction) + "1B 6E 05 1B 6D 00 00 00 00 0A 00 05 00 1B 0C"));
    ASSERT_EQ(page.width(), 200);
    ASSERT_EQ(page.height(), 100);
    EXPECT_EQ(page.Count(turn.x, turn.y, turn.w, turn.h), 50) << "direction " << turn.direction;
    EXPECT_EQ(page.Count(0, 0, 200, 100), 50) << "direction " << turn.direction;
  }
}

// ESC FF prints and stays in page mode, CAN clears, FF prints and returns to
// standard mode, where a line of text prints on the roll.
TEST(PrinterModelTest, PagesCopiesAndTheRoll) {
  const Rendering rendering = Render(Frame(0) +
                                     "1F 55 38 02 1B 6E 05 1B 6D 00 00 00 00 0A 00 05 00 1B 0C "
                                     "18 1B 6C 01 00 00 32 00 C7 00 32 00 0C "
                                     "1B 61 01 41 0A");
  ASSERT_EQ(rendering.pages.size(), 3u);
  EXPECT_EQ(rendering.pages[0].copies, 2);
  EXPECT_EQ(rendering.pages[1].copies, 2);  // until the next ESC @
  EXPECT_EQ(rendering.pages[2].copies, 1);  // the roll is not copied
  EXPECT_EQ(rendering.pages[0].canvas.Count(0, 0, 200, 100), 50);
  EXPECT_EQ(rendering.pages[1].canvas.Count(0, 0, 200, 100), 200);  // the line only
  const Canvas& strip = rendering.pages[2].canvas;
  EXPECT_FALSE(rendering.pages[2].pageMode);
  EXPECT_EQ(strip.width(), kWidth58mm);
  EXPECT_EQ(strip.height(), 30);               // one line feed
  EXPECT_GT(strip.Count(186, 0, 12, 24), 20);  // centred
  EXPECT_EQ(strip.Count(0, 0, 186, 30) + strip.Count(198, 0, 186, 30), 0);
  std::vector<std::string> files;
  test::TempDir folder;
  PictureSeries series(folder.path() + "/p.png", {},
                       [&](const WrittenPicture& written) { files.push_back(written.name); });
  for (const Page& page : rendering.pages) series.Add(page.canvas, page.copies);
  series.Finish();
  ASSERT_FALSE(series.failure()) << *series.failure();
  EXPECT_EQ(files, (std::vector<std::string>{folder.path() + "/p-1.png", folder.path() + "/p-2.png",
                                             folder.path() + "/p-3.png", folder.path() + "/p-4.png",
                                             folder.path() + "/p-5.png"}));
}

// However large a stream asks for, the pages stay within their bounds, and
// what is cut or dropped is said.
TEST(PrinterModelTest, PageSizesAndHeldPagesAreBounded) {
  std::string pages = "1B 4C 1B 57 00 00 00 00 FF FF FF FF ";
  for (int i = 0; i < 20; ++i) pages += "1B 0C ";
  const Rendering rendering = Render(pages, kWidth80mm);
  ASSERT_FALSE(rendering.pages.empty());
  EXPECT_EQ(rendering.pages[0].canvas.width(), kWidth80mm);
  EXPECT_EQ(rendering.pages[0].canvas.height(), kMaxPageHeight);
  const std::size_t dots = static_cast<std::size_t>(kWidth80mm) * kMaxPageHeight;
  EXPECT_EQ(rendering.pages.size(), kMaxHeldDots / dots);
  EXPECT_EQ(rendering.notes.size(), 2 + 20 - kMaxHeldDots / dots);  // width and height cut, pages dropped
}

}  // namespace
}  // namespace kestrel::emu

namespace kestrel::emu {
namespace {

// A count of printed dots in a rectangle of the first page: exactly, or at
// least `count` when `atLeast` is set.
struct Ink {
  int x, y, w, h;
  int count;
  bool atLeast = false;
};

struct StandardCase {
  const char* label;
  const char* hex;
  std::vector<Ink> ink;
};

// Standard-mode commands of receipt programs, one row each: the stream is
// printed on an 80 mm head and the strip's dots counted where they must and
// must not be. A font A character is 12 x 24 dots, the line 30 dots high.
TEST(PrinterModelTest, StandardModeCommandsPlaceTheirDots) {
  const StandardCase cases[] = {
      {"GS W: its parameters do not print", "1B 40 1D 57 40 02 41 0A", {{0, 0, 12, 24, 20, true}, {12, 0, 564, 30, 0}}},
      {"ESC \\ moves the next character 48 dots",
       "1B 40 41 1B 5C 30 00 42 0A",
       {{12, 0, 48, 30, 0}, {60, 0, 12, 24, 20, true}}},
      {"ESC \\ back by 6 dots (FA FF)", "41 1B 5C FA FF 42 0A", {{0, 0, 18, 24, 40, true}, {18, 0, 558, 30, 0}}},
      {"ESC * 8-dot single density: 2 columns, each 2 dots wide and 24 tall",
       "1B 40 1B 2A 00 02 00 FF FF 0A",
       {{0, 0, 4, 24, 96}, {4, 0, 572, 30, 0}, {0, 24, 4, 6, 0}}},
      {"ESC * 24-dot double density: a dot a dot",
       "1B 2A 21 02 00 80 00 01 FF FF FF 0A",
       {{0, 0, 1, 1, 1}, {0, 1, 1, 22, 0}, {0, 23, 1, 1, 1}, {1, 0, 1, 24, 24}}},
      {"GS B: white on black", "1D 42 01 41 0A", {{0, 0, 12, 24, 200, true}}},
      {"GS L: a left margin of 100 dots", "1D 4C 64 00 41 0A", {{0, 0, 100, 30, 0}, {100, 0, 12, 24, 20, true}}},
      {"GS L and GS W with ESC a 1: centred in the area",
       "1D 4C 64 00 1D 57 64 00 1B 61 01 41 0A",
       {{0, 0, 144, 30, 0}, {144, 0, 12, 24, 20, true}, {156, 0, 420, 30, 0}}},
      {"ESC a 2: right-aligned", "1B 61 32 41 0A", {{0, 0, 564, 30, 0}, {564, 0, 12, 24, 20, true}}},
      {"ESC {: the line upside down at the right", "1B 7B 01 41 0A", {{0, 0, 564, 30, 0}, {564, 6, 12, 24, 20, true}}},
      {"ESC V: turned, 24 across and 12 down",
       "1B 56 01 41 0A",
       {{0, 0, 24, 12, 20, true}, {0, 12, 576, 18, 0}, {24, 0, 552, 30, 0}}},
      {"ESC -: a line under the cell", "1B 2D 01 41 0A", {{0, 23, 12, 1, 12}}},
      {"FS -: Chinese characters underlined too", "1C 2D 01 BA CF 0A", {{0, 23, 24, 1, 24}}},
      {"ESC SP: 6 dots after each character", "1B 20 06 41 41 0A", {{12, 0, 6, 24, 0}, {18, 0, 12, 24, 20, true}}},
      {"FS S: 4 dots left and right of a Chinese character",
       "1C 53 04 04 BA CF BA CF 0A",
       {{0, 0, 4, 24, 0}, {28, 0, 8, 24, 0}, {36, 0, 24, 24, 60, true}}},
      {"FS . and ESC t 0: single-byte PC437 characters",
       "1C 2E 1B 74 00 9C 41 C4 C4 0A",
       {{0, 0, 12, 24, 20, true}, {24, 0, 24, 24, 12, true}, {48, 0, 528, 30, 0}}},
      {"status requests, real-time commands and a cut print nothing",
       "41 0A 1D 56 00 1D 72 01 10 04 01 1D 61 00",
       {{0, 0, 12, 24, 20, true}}},
      {"ESC @ puts every style back",
       "1D 21 11 1B 2D 02 1D 42 01 1B 7B 01 1B 56 01 1D 4C 50 00 1B 40 41 0A",
       {{0, 0, 12, 24, 20, true}, {12, 0, 564, 30, 0}, {0, 24, 12, 6, 0}}},
  };
  for (const StandardCase& row : cases) {
    const Rendering rendering = Render(row.hex, kWidth80mm);
    EXPECT_EQ(rendering.problems, 0u) << row.label;
    ASSERT_EQ(rendering.pages.size(), 1u) << row.label;
    const Canvas& strip = rendering.pages[0].canvas;
    EXPECT_EQ(strip.width(), kWidth80mm) << row.label;
    for (const Ink& ink : row.ink) {
      const int count = strip.Count(ink.x, ink.y, ink.w, ink.h);
      if (ink.atLeast)
        EXPECT_GE(count, ink.count) << row.label << " at " << ink.x << "," << ink.y;
      else
        EXPECT_EQ(count, ink.count) << row.label << " at " << ink.x << "," << ink.y;
    }
  }
}

// An image sent as ESC * stripes, as GS ( L graphics, as GS 8 L and as FS q /
// FS p prints dot for dot as its source.
TEST(PrinterModelTest, ImagesPrintTheirSourceDotForDot) {
  constexpr int kWidth = 40, kHeight = 24;
  auto source = [](int x, int y) { return (x * 7 + y * 3) % 5 == 0 || x == y; };
  std::string columns, rows;
  char hex[4];
  for (int x = 0; x < kWidth; ++x)
    for (int band = 0; band < kHeight / 8; ++band) {
      int byte = 0;
      for (int bit = 0; bit < 8; ++bit) byte |= source(x, band * 8 + bit) ? 0x80 >> bit : 0;
      std::snprintf(hex, sizeof hex, "%02X ", byte);
      columns += hex;
    }
  for (int y = 0; y < kHeight; ++y)
    for (int group = 0; group < kWidth / 8; ++group) {
      int byte = 0;
      for (int bit = 0; bit < 8; ++bit) byte |= source(group * 8 + bit, y) ? 0x80 >> bit : 0;
      std::snprintf(hex, sizeof hex, "%02X ", byte);
      rows += hex;
    }
  const std::string raster = "30 70 30 01 01 31 28 00 18 00 " + rows;  // m fn a bx by c xL xH yL yH
  const std::size_t rasterLength = raster.size() / 3;
  std::snprintf(hex, sizeof hex, "%02X", static_cast<int>(rasterLength));
  const std::pair<const char*, std::string> streams[] = {
      {"ESC *", "1B 33 18 1B 2A 21 28 00 " + columns + "0A"},
      {"GS ( L", "1D 28 4C " + std::string(hex) + " 00 " + raster + "1D 28 4C 02 00 30 32"},
      {"GS 8 L", "1D 38 4C " + std::string(hex) + " 00 00 00 " + raster + "1D 38 4C 02 00 00 00 30 32"},
      {"FS q, FS p", "1C 71 01 05 00 03 00 " + columns + "1C 70 01 00"},
  };
  for (const auto& [label, stream] : streams) {
    const Rendering rendering = Render("1B 40 " + stream, kWidth80mm);
    EXPECT_EQ(rendering.problems, 0u) << label;
    ASSERT_EQ(rendering.pages.size(), 1u) << label;
    const Canvas& page = rendering.pages[0].canvas;
    int wrong = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) wrong += page.At(x, y) != (x < kWidth && y < kHeight && source(x, y));
    EXPECT_EQ(wrong, 0) << label;
  }
}

// A job that ends with a cut and a status request prints its one page.
TEST(PrinterModelTest, NoPageAfterACutAndAStatusRequest) {
  const Rendering rendering = Render("1B 40 41 0A 1D 56 42 00 1D 72 31", kWidth80mm);
  EXPECT_EQ(rendering.problems, 0u);
  EXPECT_EQ(rendering.pages.size(), 1u);
}

// Blank paper is not drawn: a long feed after a line makes one strip of the
// page bound and nothing more.
TEST(PrinterModelTest, FeedsOnlyMoveThePaper) {
  std::string feeds = "41 ";
  for (int i = 0; i < 2000; ++i) feeds += "1B 4A FF ";
  const Rendering rendering = Render(feeds, kWidth80mm);
  ASSERT_EQ(rendering.pages.size(), 1u);
  EXPECT_EQ(rendering.pages[0].canvas.height(), kMaxPageHeight);
  EXPECT_GT(rendering.pages[0].canvas.Count(0, 0, 12, 24), 20);
  EXPECT_EQ(rendering.pages[0].canvas.Count(0, 24, kWidth80mm, kMaxPageHeight - 24), 0);
}

}  // namespace
}  // namespace kestrel::emu

namespace kestrel::emu {
namespace {

// Page mode on a 200 x 100 area: images and relative moves at the print
// position, kept images printed by their keys.
TEST(PrinterModelTest, PageModeImagesAndMovesLandAtThePrintPosition) {
  struct Row {
    const char* label;
    const char* hex;
    Ink ink;
    int total;  // every dot of the page
  };
  const Row rows[] = {
      {"ESC * 33 at (10, 5)", "1B 24 0A 00 1D 24 05 00 1B 2A 21 01 00 FF FF FF", {10, 5, 1, 24, 24}, 24},
      {"ESC \\ and GS \\ move from (10, 20)",
       "1B 24 0A 00 1D 24 14 00 1B 5C 0A 00 1D 5C FB FF 1B 2A 21 01 00 FF FF FF",
       {20, 15, 1, 24, 24},
       24},
      {"GS ( L NV graphics by key, twice as tall",
       "1D 28 4C 0D 00 30 43 30 41 31 01 08 00 02 00 31 FF 81 "
       "1D 28 4C 06 00 30 45 41 31 01 02",
       {0, 0, 8, 4, 20},
       20},
      {"GS * and GS / in double width", "1D 2A 01 01 FF 00 00 00 00 00 00 00 1D 2F 01", {0, 0, 2, 8, 16}, 16},
      {"a key that was never defined prints nothing", "1D 28 4C 06 00 30 45 41 32 01 01", {0, 0, 200, 100, 0}, 0},
  };
  for (const Row& row : rows) {
    const Rendering rendering = Render(Frame(0) + row.hex + " 1B 0C");
    ASSERT_EQ(rendering.pages.size(), 1u) << row.label;
    const Canvas& page = rendering.pages[0].canvas;
    EXPECT_EQ(page.Count(row.ink.x, row.ink.y, row.ink.w, row.ink.h), row.ink.count) << row.label;
    EXPECT_EQ(page.Count(0, 0, page.width(), page.height()), row.total) << row.label;
  }
}

// Each page says what drew on it, what was read without effect and why, and
// what reached past its edges; the next page starts a new account.
TEST(PrinterModelTest, EachPageAccountsForItsCommands) {
  const Rendering rendering = Render(Frame(0) +
                                     "1D 72 01 1B 52 03 1D 72 01 41 42 1B 6D 00 00 00 00 0A 00 05 00 "
                                     "1B 6C 01 00 00 32 00 90 01 32 00 1B 0C 1B 6D 00 00 00 00 0A 00 05 00 1B 0C "
                                     "18 1B 6C 01 00 00 0A 00 C8 00 0A 00 1B 0C");
  ASSERT_EQ(rendering.pages.size(), 3u);
  EXPECT_EQ(rendering.pages[0].account.Lines(),
            (std::vector<std::string>{
                "drawn: ESC l x1, ESC m x1, text x1",
                "without effect: GS r (a request for the printer's answer; nothing prints)",
                "without effect: ESC R (international character sets are not kept; ASCII prints)",
                "clipped: ESC l at 00000027",  // a line to x 400, past the 384-dot head
            }));
  EXPECT_EQ(rendering.pages[0].canvas.width(), kWidth58mm);  // widened for the line, as far as the paper goes
  EXPECT_EQ(rendering.pages[1].account.Lines(), std::vector<std::string>{"drawn: ESC m x1"});
  // A line to x 200 ends on dot 200, one past the area.
  EXPECT_EQ(rendering.pages[2].account.Lines(),
            (std::vector<std::string>{"drawn: ESC l x1", "clipped: dots past the print area's right edge"}));
  EXPECT_EQ(rendering.pages[2].canvas.width(), 200);
}

}  // namespace
}  // namespace kestrel::emu
