#include <gtest/gtest.h>

#include "commands/PrinterReplies.h"
#include "commands/StatusQueries.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

std::string Words(const RealTimeStatus& status) {
  std::string text;
  for (const std::string& word : StatusWords(status)) text += (text.empty() ? "" : ", ") + word;
  return text;
}

TEST(PrinterRepliesTest, QueriesAreTheReferenceBytes) {
  EXPECT_BYTES(cmd::DleEot(1), "10 04 01");
  EXPECT_BYTES(cmd::DleEot(4), "10 04 04");
  EXPECT_BYTES(cmd::GsI(65), "1D 49 41");
  EXPECT_BYTES(cmd::GsR(1), "1D 72 01");
  EXPECT_BYTES(cmd::GsA(0x0F), "1D 61 0F");
}

// Each row: the replies to DLE EOT 1 to 4, then the words, the fault text and
// whether the printer is ready.
struct StatusRow {
  const char* replies;
  const char* words;
  const char* fault;
  bool ready;
};

TEST(PrinterRepliesTest, RealTimeStatusDecodesEveryBit) {
  const StatusRow rows[] = {
      {"12 12 12 12", "online, drawer closed", "", true},
      {"16 12 12 12", "online, drawer open", "", true},
      {"1A 12 12 12", "offline, drawer closed", "offline", false},
      {"32 12 12 12", "online, drawer closed, waiting for online recovery", "", true},
      {"52 12 12 12", "online, drawer closed, feed button pressed", "", true},
      {"1A 16 12 12", "offline, drawer closed, cover open", "cover open", false},
      {"12 1A 12 12", "online, drawer closed, feed button pressed", "", true},
      {"1A 32 12 7E", "offline, drawer closed, paper end", "paper end", false},
      {"1A 52 12 12", "offline, drawer closed, error", "error", false},
      {"1A 52 1A 12", "offline, drawer closed, cutter error", "cutter error", false},
      {"1A 12 16 12", "offline, drawer closed, recoverable error", "recoverable error", false},
      {"1A 12 32 12", "offline, drawer closed, unrecoverable error", "unrecoverable error", false},
      {"12 12 52 12", "online, drawer closed, auto-recoverable error", "auto-recoverable error", false},
      {"12 12 12 1E", "online, drawer closed, paper near end", "", true},
      {"12 12 12 16", "online, drawer closed, paper near end", "", true},  // one sensor bit alone counts
      {"12 12 12 32", "online, drawer closed, paper end", "paper end", false},
      {"1A 36 12 72", "offline, drawer closed, cover open, paper end", "cover open, paper end", false},
  };
  for (const StatusRow& row : rows) {
    const std::vector<std::uint8_t> replies = Hex(row.replies);
    RealTimeStatus status;
    for (int n = 1; n <= 4; ++n) ASSERT_TRUE(ApplyRealTimeStatus(n, replies[n - 1], &status)) << row.replies;
    EXPECT_EQ(Words(status), row.words) << row.replies;
    EXPECT_EQ(FaultText(status), row.fault) << row.replies;
    EXPECT_EQ(IsReady(status), row.ready) << row.replies;
  }
}

TEST(PrinterRepliesTest, BytesOutsideTheirPatternAreRefused) {
  // DLE EOT: bits 1 and 4 set, 0 and 7 clear.
  for (const std::uint8_t byte : {0x00, 0x10, 0x02, 0x13, 0x92, 0xFF, 0x5F}) {
    RealTimeStatus status;
    status.coverOpen = true;
    EXPECT_FALSE(ApplyRealTimeStatus(2, byte, &status)) << int(byte);
    EXPECT_TRUE(status.coverOpen) << "a refused reply leaves the status as it was";
  }
  RealTimeStatus status;
  EXPECT_FALSE(ApplyRealTimeStatus(5, 0x12, &status));
  // GS r and GS I 1 to 3: bits 4 and 7 clear.
  EXPECT_FALSE(DecodePaperSensorReply(0x12));
  EXPECT_FALSE(DecodePaperSensorReply(0x80));
  ASSERT_TRUE(DecodePaperSensorReply(0x0F));
  EXPECT_TRUE(DecodePaperSensorReply(0x0C)->paperEnd);
  EXPECT_FALSE(DecodePaperSensorReply(0x03)->paperEnd);
  EXPECT_TRUE(DecodePaperSensorReply(0x03)->nearEnd);
}

TEST(PrinterRepliesTest, AutomaticStatusBackHasItsOwnPattern) {
  const auto paperEnd = DecodeAutomaticStatus(Hex("18 00 0C 00"));
  ASSERT_TRUE(paperEnd);
  EXPECT_EQ(Words(*paperEnd), "offline, drawer closed, paper end");
  const auto cover = DecodeAutomaticStatus(Hex("38 08 00 00"));
  ASSERT_TRUE(cover);
  EXPECT_EQ(FaultText(*cover), "cover open, cutter error");
  EXPECT_FALSE(DecodeAutomaticStatus(Hex("12 00 00 00")));  // a DLE EOT reply, not status back
  EXPECT_FALSE(DecodeAutomaticStatus(Hex("10 10 00 00")));
  EXPECT_FALSE(DecodeAutomaticStatus(Hex("10 00 00")));
}

TEST(PrinterRepliesTest, IdentityRepliesAreWholeOnlyWithTheirEnd) {
  struct Row {
    std::uint8_t n;
    const char* reply;
    bool complete;
    const char* value;  // nullptr: refused
  };
  const Row rows[] = {
      {1, "20", true, "0x20"},
      {2, "02", true, "0x02"},
      {3, "90", true, nullptr},  // bit 7 set
      {65, "5F 31 2E 30", false, nullptr},
      {65, "5F 31 2E 30 00", true, "1.0"},
      {66, "5F 00", true, ""},
      {67, "41 42 00", true, nullptr},        // no header: whole at once, refused
      {68, "5F 41 0A 42 00", true, nullptr},  // a control byte in the text
  };
  for (const Row& row : rows) {
    const std::vector<std::uint8_t> reply = Hex(row.reply);
    EXPECT_EQ(IdentityReplyComplete(row.n, reply), row.complete) << row.reply;
    const std::optional<std::string> value = DecodeIdentityReply(row.n, reply);
    if (row.value == nullptr)
      EXPECT_FALSE(value) << row.reply;
    else
      EXPECT_EQ(value.value_or("(refused)"), row.value) << row.reply;
  }
  EXPECT_FALSE(IdentityReplyComplete(65, {}));
  EXPECT_TRUE(IdentityReplyComplete(65, std::vector<std::uint8_t>(100, 0x5F)));  // never waits past the bound
}

}  // namespace
}  // namespace kestrel::test
