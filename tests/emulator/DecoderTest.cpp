#include <gtest/gtest.h>

#include "commands/NamedJob.h"
#include "emulator/CommandWords.h"
#include "emulator/Decoder.h"
#include "emulator/EmulatorTestSupport.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

using test::Hex;

// A command as "offset+length name arg0 arg1 ...", arguments as far as given.
struct Expected {
  std::size_t offset;
  std::size_t length;
  const char* name;
  std::vector<std::int32_t> args;
};

struct DecoderCase {
  const char* label;
  const char* hex;
  std::vector<Expected> commands;
};

void ExpectCommands(const DecoderCase& row) {
  const std::vector<std::uint8_t> bytes = Hex(row.hex);
  const std::vector<Command> commands = DecodeStream(bytes);
  ASSERT_EQ(commands.size(), row.commands.size()) << row.label;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const Expected& expected = row.commands[i];
    EXPECT_EQ(commands[i].offset, expected.offset) << row.label << " #" << i;
    EXPECT_EQ(commands[i].length, expected.length) << row.label << " #" << i;
    EXPECT_STREQ(commands[i].name, expected.name) << row.label << " #" << i;
    for (std::size_t a = 0; a < expected.args.size(); ++a)
      EXPECT_EQ(commands[i].args[a], expected.args[a]) << row.label << " #" << i << " arg " << a;
  }
}

TEST(DecoderTest, CommandsAndTheirParameters) {
  const DecoderCase cases[] = {
      {"frame",
       "1B 40 1F 55 38 03 1B 63 30 02 1B 4C 1B 57 0A 00 14 00 C0 01 68 00 18",
       {{0, 2, "ESC @", {}},
        {2, 4, "US U 8", {3}},
        {6, 4, "ESC c 0", {2}},
        {10, 2, "ESC L", {}},
        {12, 10, "ESC W", {10, 20, 448, 104}},
        {22, 1, "CAN", {}}}},
      {"drawing",
       "1B 6C 03 00 00 4A 00 C8 01 4A 01 1B 6F E0 00 AE 00 9F 00",
       {{0, 11, "ESC l", {3, 0, 74, 456, 330}}, {11, 8, "ESC o", {224, 174, 159}}}},
      {"text runs: ASCII, GBK and a four-byte GB18030 character",
       "41 42 BA CF 81 30 81 30 0A 43",
       {{0, 8, "text", {}}, {8, 1, "LF", {}}, {9, 1, "text", {}}}},
      {"bar codes in both forms",
       "1D 6B 49 03 34 30 39 1D 6B 04 41 42 00 1D 6B 41 00",
       {{0, 7, "GS k", {73, 3}}, {7, 6, "GS k", {4}}, {13, 4, "GS k", {65, 0}}}},
      {"QR code store and raster image",
       "1D 28 6B 05 00 31 50 30 41 42 1D 76 30 00 02 00 01 00 FF 00",
       {{0, 10, "GS ( k", {0x31, 0x50, 0x30}}, {10, 10, "GS v 0", {0, 2, 1}}}},
      {"cut with and without feed", "1D 56 00 1D 56 42 10", {{0, 3, "GS V", {0}}, {3, 4, "GS V", {66, 16}}}},
      {"standard-mode commands",
       "1B 21 38 1B 61 01 1B 4A 20 1B 64 02 1B 32 1B 33 28 1C 26 1C 2E",
       {{0, 3, "ESC !", {0x38}},
        {3, 3, "ESC a", {1}},
        {6, 3, "ESC J", {32}},
        {9, 3, "ESC d", {2}},
        {12, 2, "ESC 2", {}},
        {14, 3, "ESC 3", {40}},
        {17, 2, "FS &", {}},
        {19, 2, "FS .", {}}}},
      {"unknown command: decoding goes on after it",
       "1B 99 0A 1B 4E 07 41 07 1D",
       {{0, 2, "unknown", {}},
        {2, 1, "LF", {}},
        {3, 3, "unknown", {}},  // ESC N 7 and the 07 after it: one run of unknown bytes
        {6, 1, "text", {}},
        {7, 1, "unknown", {}},
        {8, 1, "cut short", {}}}},
      {"bytes that are no character",
       "80 41 FF 81 7F",
       {{0, 1, "not a character", {}}, {1, 1, "text", {}}, {2, 2, "not a character", {}}, {4, 1, "text", {}}}},
      {"cut short inside the parameters", "1B 57 00 00 C0", {{0, 5, "cut short", {}}}},
      {"cut short inside the lead bytes", "41 1F 55", {{0, 1, "text", {}}, {1, 2, "cut short", {}}}},
      {"raster image longer than the stream", "1D 76 30 00 FF FF FF FF 00", {{0, 9, "cut short", {}}}},
      {"a GBK lead byte at the end", "41 42 C4", {{0, 2, "text", {}}, {2, 1, "cut short", {}}}},
      {"an old-form bar code without its NUL", "1D 6B 04 41 42", {{0, 5, "cut short", {}}}},
      {"a bar code system that does not exist", "1D 6B 50 31", {{0, 3, "unknown", {}}, {3, 1, "text", {}}}},
  };
  for (const DecoderCase& row : cases) ExpectCommands(row);
}

// Standard commands outside Kestrel's own vocabulary are read whole, however
// their length is given, so that no parameter byte prints as text.
TEST(DecoderTest, StandardCommandsAreConsumedWhole) {
  const DecoderCase cases[] = {
      {"GS W, then a character",
       "1B 40 1D 57 40 02 41 0A",
       {{0, 2, "ESC @", {}}, {2, 4, "GS W", {576}}, {6, 1, "text", {}}, {7, 1, "LF", {}}}},
      {"one-byte and nL nH parameters",
       "1D 4C 10 00 1D 61 FF 1D 72 01 1C 53 02 03 1C 43 01 1C 2D 01 1B 7B 01 1B 5C 30 00 1D 5C F0 FF 1D 49 42",
       {{0, 4, "GS L", {16}},
        {4, 3, "GS a", {255}},
        {7, 3, "GS r", {1}},
        {10, 4, "FS S", {2, 3}},
        {14, 3, "FS C", {1}},
        {17, 3, "FS -", {1}},
        {20, 3, "ESC {", {1}},
        {23, 4, "ESC \\", {48}},
        {27, 4, "GS \\", {0xFFF0}},
        {31, 3, "GS I", {0x42}}}},
      {"pL pH and p1 p2 p3 p4 lengths",
       "1C 28 41 02 00 30 31 1D 28 4C 02 00 30 32 1D 38 4C 02 00 00 00 30 32 1D 28 6B 03 00 30 41 00",
       {{0, 7, "FS ( A", {2}}, {7, 7, "GS ( L", {2}}, {14, 9, "GS 8 L", {2}}, {23, 8, "GS ( k", {0x30, 0x41, 0}}}},
      {"bit images: 8-dot columns of one byte, 24-dot columns of three",
       "1B 2A 00 02 00 FF FF 1B 2A 21 01 00 01 02 03",
       {{0, 7, "ESC *", {0, 2}}, {7, 8, "ESC *", {33, 1}}}},
      {"real-time commands",
       "10 04 01 10 04 07 01 10 05 02 10 14 01 00 01 10 14 08 01 03 14 01 06 02 08",
       {{0, 3, "DLE EOT", {1}},
        {3, 4, "DLE EOT", {7, 1}},
        {7, 3, "DLE ENQ", {2}},
        {10, 5, "DLE DC4", {1}},
        {15, 10, "DLE DC4", {8}}}},
      {"cuts with a feed, and ESC i",
       "1D 56 68 10 1D 56 31 1B 69",
       {{0, 4, "GS V", {104, 16}}, {4, 3, "GS V", {49}}, {7, 2, "ESC i", {}}}},
      {"images and characters defined by their sizes",
       "1D 2A 01 01 00 01 02 03 04 05 06 07 1C 71 01 01 00 01 00 00 00 00 00 00 00 00 00 "
       "1B 26 03 41 42 02 01 02 03 04 05 06 02 01 02 03 04 05 06 1B 44 08 10 00",
       {{0, 12, "GS *", {1, 1}}, {12, 15, "FS q", {1}}, {27, 19, "ESC &", {3, 0x41, 0x42}}, {46, 5, "ESC D", {}}}},
      {"a length beyond the stream", "1D 28 4C 10 00 30", {{0, 6, "cut short", {}}}},
  };
  for (const DecoderCase& row : cases) ExpectCommands(row);
}

// FS . turns Chinese character mode off: bytes above 7F are characters of the
// table ESC t chose, one byte each, until FS & or ESC @.
TEST(DecoderTest, ChineseCharacterModeDecidesHowTextIsRead) {
  const std::vector<std::uint8_t> bytes = Hex("1C 2E 1B 74 00 9C 41 C4 C4 0A 1C 26 C4 C4 0A 1C 2E 1B 40 C4 C4");
  const std::vector<Command> commands = DecodeStream(bytes);
  ASSERT_EQ(commands.size(), 10u);
  EXPECT_EQ(commands[2].codeTable, 0);
  EXPECT_EQ(DescribeCommand(bytes, commands[2]), "text  \"£A──\"");
  EXPECT_EQ(DescribeCommand(bytes, commands[5]), "text  \"哪\"");
  EXPECT_EQ(commands[9].codeTable, Command::kChineseText);
}

// One row per single-byte table: ESC t n and a byte above 7F, as the dump
// reads it.
TEST(DecoderTest, EveryCodeTableReadsItsCharacters) {
  struct Row {
    const char* table;  // n of ESC t, in hex
    const char* hex;
    const char* text;
  };
  const Row rows[] = {
      {"00", "9C E1 C4", "£ß─"}, {"01", "B1 DF 95", "ｱﾟ─"}, {"02", "9B D5 A9", "øı®"}, {"03", "83 8C", "âÔ"},
      {"04", "84 8D", "Â‗"},     {"05", "9B AF", "ø¤"},     {"10", "80 E9", "€é"},     {"11", "80 EF", "Ая"},
      {"12", "A5 E7", "ąš"},     {"13", "D5 9B", "€ø"},
  };
  for (const Row& row : rows) {
    const std::vector<std::uint8_t> bytes = Hex("1C 2E 1B 74 " + std::string(row.table) + " " + row.hex);
    const std::vector<Command> commands = DecodeStream(bytes);
    ASSERT_EQ(commands.size(), 3u) << row.table;
    EXPECT_EQ(DescribeCommand(bytes, commands[2]), "text  \"" + std::string(row.text) + "\"") << "table " << row.table;
  }
}

// A run of bytes that start nothing is one problem, however long.
TEST(DecoderTest, UnknownBytesAreOneProblemARun) {
  const std::vector<std::uint8_t> bytes = Hex("1B 99 1B 98 80 FF 1D 99 41");
  const std::vector<Command> commands = DecodeStream(bytes);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].length, 8u);
  EXPECT_EQ(DescribeCommand(bytes, commands[0]), "unknown command 1B 99 1B 98 80 FF 1D 99");
}

TEST(DecoderTest, DumpLinesNameOffsetsBytesAndWords) {
  const std::vector<std::uint8_t> bytes = Hex("1B 57 00 00 00 00 C0 01 68 00 BA CF 1B 99");
  const std::vector<Command> commands = DecodeStream(bytes);
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(DumpLine(bytes, commands[0]),
            "00000000  1B 57 00 00 00 00 C0 01 68 00                        ESC W  print area: x 0, y 0, width 448, "
            "height 104");
  EXPECT_EQ(DumpLine(bytes, commands[1]), "0000000A  BA CF" + std::string(48, ' ') + "text  \"合\"");
  EXPECT_EQ(DumpLine(bytes, commands[2]), "0000000C  1B 99" + std::string(48, ' ') + "!! unknown command 1B 99");
}

// Every job Kestrel composes, in both languages, is made of known commands only.
TEST(DecoderTest, EveryJobDecodesWithoutProblems) {
  for (const NamedJob& job : AllJobs()) {
    for (std::int32_t codePage : {936, 1252}) {
      const std::vector<std::uint8_t> bytes = test::JobBytes(job.name, codePage);
      std::size_t covered = 0;
      for (const Command& command : DecodeStream(bytes)) {
        EXPECT_FALSE(IsProblem(command.op)) << job.name << " " << codePage << ": " << DumpLine(bytes, command);
        covered += command.length;
      }
      EXPECT_EQ(covered, bytes.size()) << job.name;
    }
  }
}

// A stream cut anywhere decodes as the whole stream's commands up to the
// command the cut falls into; that one becomes a shorter text, a command cut
// short, or a shorter text and a character cut short.
TEST(DecoderTest, ARealJobCutAtEveryByte) {
  const std::vector<std::uint8_t> whole = test::JobBytes("60x50", 936);
  const std::vector<Command> full = DecodeStream(whole);
  for (std::size_t cut = 1; cut < whole.size(); ++cut) {
    const std::vector<Command> part = DecodeStream(std::span(whole).first(cut));
    std::size_t same = 0;
    while (same < part.size() && part[same].offset == full[same].offset && part[same].length == full[same].length)
      ++same;
    std::size_t i = same;
    if (i < part.size() && part[i].op == Op::Text) ++i;
    if (i < part.size() && part[i].op == Op::CutShort) ++i;
    ASSERT_EQ(i, part.size()) << "cut at " << cut << ": " << DumpLine(std::span(whole).first(cut), part[same]);
    ASSERT_EQ(part.back().offset + part.back().length, cut);
    if (same < part.size()) {
      EXPECT_EQ(part[same].offset, full[same].offset) << "cut at " << cut;
    }
  }
}

}  // namespace
}  // namespace kestrel::emu
