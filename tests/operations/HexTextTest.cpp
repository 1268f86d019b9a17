#include <random>

#include "operations/HexText.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

std::vector<std::uint8_t> AsBytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(HexTextTest, ParsesPairsLoneDigitsAndSeparators) {
  const struct {
    const char* text;
    const char* bytes;
  } rows[] = {
      {"1B 40", "1B 40"}, {"1b40", "1B 40"}, {" 1B  40 ", "1B 40"}, {"1B\r\n40", "1B 40"}, {"1B\t40", "1B 40"},
      {"A", "0A"},        {"123", "12 03"},  {"1 23", "01 23"},     {"1B4", "1B 04"},      {"1b 40 0a", "1B 40 0A"},
      {"fF 00", "FF 00"}, {"", ""},          {" \r\n\t ", ""},      {"D6 D0 ", "D6 D0"},
  };
  for (const auto& row : rows) {
    const auto parsed = ParseHexText(row.text);
    ASSERT_TRUE(parsed.has_value()) << row.text;
    EXPECT_BYTES(AsBytes(*parsed), row.bytes) << "text '" << row.text << "'";
  }
}

TEST(HexTextTest, AnyOtherByteFailsTheWholeParse) {
  for (const char* text : {"1G", "ZZ", "1B 40 x", "0x1B", "1B,40", "1B\v40", "\xD6\xD0"})
    EXPECT_FALSE(ParseHexText(text).has_value()) << text;
  EXPECT_FALSE(ParseHexText(std::string("1B\0"
                                        "40",
                                        5))
                   .has_value());
}

TEST(HexTextTest, FormatsTwoUppercaseDigitsAndASpacePerByte) {
  EXPECT_EQ(FormatHexText("AB"), "41 42 ");
  EXPECT_EQ(FormatHexText("\xB2\xE2"), "B2 E2 ");
  EXPECT_EQ(FormatHexText(std::string("\x00\x0f\xff", 3)), "00 0F FF ");
  EXPECT_EQ(FormatHexText(""), "");
}

TEST(HexTextTest, FormattedBytesParseBackUnchanged) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ParseHexText(FormatHexText(all)), all);
}

// Random texts drawn mostly from digits and separators, so that both the
// successful and the failing paths run often.
TEST(HexTextTest, RandomTextsNeverGiveMoreBytesThanTheyHold) {
  std::mt19937 random(20240305);
  static constexpr char kAlphabet[] = "0123456789abcdefABCDEF \t\r\nGz\x00\xFF";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  std::uniform_int_distribution<std::size_t> length(0, 64);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> anyByte(0, 255);
  int parsed = 0;
  for (int round = 0; round < 5000; ++round) {
    std::string text(length(random), ' ');
    for (char& c : text) c = round % 5 == 0 ? static_cast<char>(anyByte(random)) : alphabet[pick(random)];
    const auto result = ParseHexText(text);
    if (!result) continue;
    ++parsed;
    ASSERT_LE(result->size(), text.size()) << ToHex(AsBytes(text));
  }
  EXPECT_GT(parsed, 100);
}

}  // namespace
}  // namespace kestrel::test
