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
