#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "emulator/StreamPreview.h"

namespace kestrel::emu {
namespace {

// A page of two copies, an ignored direction and an unknown command: a line
// a command and then a line a note; the two copies are two pages sharing
// one picture; the problems are the unknown command and the note.
TEST(StreamPreviewTest, LinesPagesByCopyAndProblems) {
  const std::vector<std::uint8_t> bytes = {
      0x1B, 0x40, 0x1F, 0x55, 0x38, 0x02, 0x1B, 0x4C,              // ESC @, US U 8 two copies, ESC L
      0x1B, 0x57, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x10, 0x00,  // ESC W 64 x 16
      0x1B, 0x54, 0x09, 0x41, 0x1B, 0x0C, 0x1B, 0xFE,              // ESC T 9, "A", ESC FF, unknown
  };
  const StreamPreview preview(bytes, 448);

  ASSERT_EQ(preview.Lines().size(), 9u);
  EXPECT_EQ(preview.Lines().front().rfind("00000000  1B 40", 0), 0u) << preview.Lines().front();
  EXPECT_EQ(preview.Lines().back(), "!! ESC T: direction 9 ignored");
  ASSERT_EQ(preview.Problems().size(), 2u);
  EXPECT_NE(preview.Problems()[0].find("!! unknown command 1B FE"), std::string::npos) << preview.Problems()[0];
  EXPECT_EQ(preview.Problems()[1], preview.Lines().back());

  ASSERT_EQ(preview.PageCount(), 2u);
  EXPECT_EQ(preview.PageAt(0).width(), 64);
  EXPECT_EQ(preview.PageAt(0).height(), 16);
  EXPECT_FALSE(preview.PageAt(0).blank());
  EXPECT_EQ(&preview.PageAt(1), &preview.PageAt(0));
  EXPECT_TRUE(preview.PageAt(2).empty());
}

}  // namespace
}  // namespace kestrel::emu
