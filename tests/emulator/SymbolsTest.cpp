#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/EmulatorTestSupport.h"
#include "emulator/VirtualPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

std::vector<std::string> Scan(const std::string& hex) {
  const Rendering rendering = RenderStream(test::Hex(hex), kWidth80mm);
  EXPECT_EQ(rendering.problems, 0u) << hex;
  for (const Note& note : rendering.notes) ADD_FAILURE() << hex << ": " << note.text;
  std::vector<std::string> found;
  for (const Page& page : rendering.pages)
    for (const std::string& symbol : test::ScanSymbols(page.canvas)) found.push_back(symbol);
  return found;
}

// GS k 73 with the code sets chosen in the data scans as the reference reads
// it: in code set C every byte is a value from 0 to 99.
TEST(SymbolsTest, Code128CodeSetsScanBack) {
  struct Row {
    const char* hex;  // GS k 49 n and the data
    const char* scanned;
  };
  const Row rows[] = {
      {"1D 6B 49 04 7B 43 0C 22", "1234"},                    // {C 12 34
      {"1D 6B 49 05 7B 42 41 62 31", "Ab1"},                  // {B A b 1
      {"1D 6B 49 05 7B 41 41 42 43", "ABC"},                  // {A A B C
      {"1D 6B 49 08 7B 41 41 7B 53 61 42 43", "AaBC"},        // {A A {S a B C: a shift to B
      {"1D 6B 49 09 7B 43 0C 22 7B 42 2D 41 42", "1234-AB"},  // {C 12 34 {B - A B
      {"1D 6B 49 07 7B 42 61 7B 43 00 63", "a0099"},          // {B a {C 00 99
      {"1D 6B 49 06 7B 42 7B 7B 78 79", "{xy"},               // {B {{ x y: a brace
      {"1D 6B 49 06 7B 43 01 7B 41 5A", "01Z"},               // {C 01 {A Z
      {"1D 6B 49 07 7B 42 31 32 33 34 35", "12345"},          // {B digits stay in set B
  };
  for (const Row& row : rows)
    EXPECT_EQ(Scan("1B 40 1D 48 02 " + std::string(row.hex)),
              std::vector<std::string>{"CODE-128:" + std::string(row.scanned)})
        << row.hex;
}

// Data that breaks the code set rules is not printed, and the reason is said.
TEST(SymbolsTest, Code128DataAgainstItsCodeSetIsRefused) {
  const char* rows[] = {
      "1D 6B 49 03 7B 43 64",     // 100 in code set C
      "1D 6B 49 03 7B 41 61",     // a small letter in code set A
      "1D 6B 49 03 7B 42 7B",     // a brace at the end
      "1D 6B 49 04 7B 43 7B 53",  // no shift in code set C
  };
  for (const char* hex : rows) {
    const Rendering rendering = RenderStream(test::Hex(hex), kWidth80mm);
    EXPECT_TRUE(rendering.pages.empty()) << hex;
    ASSERT_EQ(rendering.notes.size(), 1u) << hex;
    EXPECT_EQ(rendering.notes[0].text.rfind("GS k: not printed: ", 0), 0u) << rendering.notes[0].text;
  }
}

// GS ( k 30: a PDF417 symbol of the size set, at module width 2 and row
// height 3 modules.
TEST(SymbolsTest, Pdf417PrintsItsRows) {
  const Rendering rendering =
      RenderStream(test::Hex("1D 28 6B 03 00 30 41 02 1D 28 6B 03 00 30 43 02 1D 28 6B 08 00 30 50 30 4B 65 73 74 72 "
                             "1D 28 6B 03 00 30 51 30 0A"),
                   kWidth80mm);
  EXPECT_EQ(rendering.problems, 0u);
  ASSERT_EQ(rendering.pages.size(), 1u);
  const Canvas& page = rendering.pages[0].canvas;
  EXPECT_GT(page.Count(0, 0, 40, 6), 60);  // the start pattern's first bar, 8 modules wide
  EXPECT_EQ(page.Count(300, 0, 276, page.height()), 0);
}

}  // namespace
}  // namespace kestrel::emu
