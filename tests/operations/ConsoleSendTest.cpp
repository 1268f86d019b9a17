#include <chrono>

#include "commands/NamedJob.h"
#include "language/TranslationMap.h"
#include "operations/ConsoleSend.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

std::vector<std::uint8_t> Sent(const ConsoleBuffer& buffer) {
  return {buffer.bytes.begin(), buffer.bytes.begin() + buffer.length};
}

class ConsoleSendTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadTranslations(936); }
  void TearDown() override { LoadTranslations(); }
};

TEST_F(ConsoleSendTest, TextGoesOutInTheCodePageAndHexAsParsed) {
  ConsoleBuffer buffer;
  ASSERT_EQ(PrepareConsoleSend("ABC", false, buffer), ConsoleError::kNone);
  EXPECT_BYTES(Sent(buffer), "41 42 43");
  ASSERT_EQ(PrepareConsoleSend("中\r\n", false, buffer), ConsoleError::kNone);
  EXPECT_BYTES(Sent(buffer), "D6 D0 0D 0A");
  ASSERT_EQ(PrepareConsoleSend("1b 40 0a", true, buffer), ConsoleError::kNone);
  EXPECT_BYTES(Sent(buffer), "1B 40 0A");
  ASSERT_EQ(PrepareConsoleSend("", false, buffer), ConsoleError::kNone);
  EXPECT_EQ(buffer.length, 0);
}

TEST_F(ConsoleSendTest, HexErrorSendsNothingAndClearsEarlierBytes) {
  ConsoleBuffer buffer;
  ASSERT_EQ(PrepareConsoleSend("ABCDEF", false, buffer), ConsoleError::kNone);
  EXPECT_EQ(PrepareConsoleSend("ZZ", true, buffer), ConsoleError::kHexInput);
  EXPECT_EQ(buffer.length, 0);
  // Text that is fine as text is not hexadecimal.
  EXPECT_EQ(PrepareConsoleSend("中", true, buffer), ConsoleError::kHexInput);
  EXPECT_STREQ(ConsoleErrorText(ConsoleError::kHexInput), "十六进制字符输入有错误!");
}

TEST_F(ConsoleSendTest, ContentLimitCountsCodePageBytes) {
  ConsoleBuffer buffer;
  ASSERT_EQ(PrepareConsoleSend(std::string(24'574, 'x'), false, buffer), ConsoleError::kNone);
  EXPECT_EQ(buffer.length, 24'574);
  EXPECT_EQ(buffer.bytes[24'573], 'x');
  EXPECT_EQ(buffer.bytes[24'574], 0);
  EXPECT_EQ(PrepareConsoleSend(std::string(24'575, 'x'), false, buffer), ConsoleError::kTooMuchInput);
  EXPECT_EQ(buffer.length, 0);
  EXPECT_STREQ(ConsoleErrorText(ConsoleError::kTooMuchInput), "输入太多了!");

  // 12,287 Chinese characters are 24,574 GBK bytes; one more is too many.
  std::string chinese;
  for (int i = 0; i < 12'287; ++i) chinese += "中";
  EXPECT_EQ(PrepareConsoleSend(chinese, false, buffer), ConsoleError::kNone);
  EXPECT_EQ(PrepareConsoleSend(chinese + "中", false, buffer), ConsoleError::kTooMuchInput);
  // The limit applies to the text, also in hex mode.
  std::string hex;
  while (hex.size() < 24'575) hex += "41 ";
  EXPECT_EQ(PrepareConsoleSend(hex, true, buffer), ConsoleError::kTooMuchInput);
}

TEST_F(ConsoleSendTest, CountsOfOneOrLessSendOnce) {
  for (const char* text : {"0", "-2", "abc", "", "1", " 1x"}) EXPECT_TRUE(SendsOnce(ReadSendCount(text))) << text;
  EXPECT_EQ(ReadSendCount("3"), 3);
  EXPECT_EQ(ReadSendCount(" +12abc"), 12);
  EXPECT_FALSE(SendsOnce(ReadSendCount("2")));
}

TEST_F(ConsoleSendTest, RepeatWritesEveryCopyWithPausesBetween) {
  ConsoleBuffer buffer;
  ASSERT_EQ(PrepareConsoleSend("AB", false, buffer), ConsoleError::kNone);
  std::vector<std::vector<std::uint8_t>> writes;
  std::vector<std::chrono::steady_clock::time_point> times;
  const std::atomic<bool> stop = false;
  const std::int32_t made = RepeatSend(
      buffer, 3,
      [&](const std::uint8_t* bytes, std::int32_t length) {
        writes.emplace_back(bytes, bytes + length);
        times.push_back(std::chrono::steady_clock::now());
        return false;  // a failed write does not stop the loop
      },
      stop);
  EXPECT_EQ(made, 3);
  ASSERT_EQ(writes.size(), 3u);
  for (const auto& write : writes) EXPECT_BYTES(write, "41 42");
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], std::chrono::milliseconds(1));

  EXPECT_EQ(RepeatSend(
                buffer, 0, [](const std::uint8_t*, std::int32_t) { return true; }, stop),
            0);
}

TEST_F(ConsoleSendTest, RepeatStopsOnceTheFlagIsSet) {
  const ConsoleBuffer buffer;
  std::atomic<bool> stop = false;
  int writes = 0;
  const std::int32_t made = RepeatSend(
      buffer, 1000,
      [&](const std::uint8_t*, std::int32_t) {
        if (++writes == 5) stop = true;
        return true;
      },
      stop);
  EXPECT_EQ(made, 5);
}

TEST_F(ConsoleSendTest, HexBoxConvertsBothWays) {
  EXPECT_EQ(ConvertForHexBox("AB", true), "41 42 ");
  EXPECT_EQ(ConvertForHexBox("41 42 ", false), "AB");
  EXPECT_EQ(ConvertForHexBox("中", true), "D6 D0 ");
  EXPECT_EQ(ConvertForHexBox("D6 D0 ", false), "中");
  EXPECT_EQ(ConvertForHexBox("A\r\nB", true), "41 0D 0A 42 ");
  EXPECT_EQ(ConvertForHexBox("00 41", false), "");
  EXPECT_EQ(ConvertForHexBox("41 00 42", false), "A");
  EXPECT_EQ(ConvertForHexBox("", true), "");
  EXPECT_EQ(ConvertForHexBox("", false), "");
  EXPECT_EQ(ConvertForHexBox("ZZ", false), std::nullopt);
}

TEST_F(ConsoleSendTest, StandardModeJobComposesEscSAndWritesWithoutConnection) {
  const NamedJob* job = FindJob("standardmode");
  ASSERT_NE(job, nullptr);
  EXPECT_TRUE(job->writesWithoutConnection);
  job->compose(JobContext{});
  EXPECT_BYTES(Composed(), "1B 53");
}

}  // namespace
}  // namespace kestrel::test
