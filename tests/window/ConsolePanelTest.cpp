#include <chrono>
#include <string>

#include "window/ControllerTestSupport.h"

namespace kestrel::test {
namespace {

using namespace std::chrono_literals;

class ConsolePanelTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    SelectLine();
  }
  // The console box's text as the window gives it: lines end in CR LF.
  void SetContent(const std::string& text) { window_.controls.SetText(kConsoleBox, text); }
  std::string Content() const { return *window_.controls.Text(kConsoleBox); }
  void SetCount(const std::string& text) { window_.controls.SetText(kConsoleCountEdit, text); }
  bool HexChecked() const { return *window_.controls.Checked(kHexBox); }
  std::string AsHex(const std::string& bytes) const {
    return ToHex({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
};

TEST_F(ConsolePanelTest, OneCopyOfTextAndOfHexBytes) {
  // A no-break space is no plain blank: GBK has no byte for it.
  SetContent("ABC\r\n中\u00A0");
  Click(kConsoleSendButton);
  FinishSending();
  EXPECT_EQ(AsHex(line_.Received(8)), "41 42 43 0D 0A D6 D0 3F");

  SetContent("1b 40 0a");
  window_.controls.SetChecked(kHexBox, true);
  SetCount("-2");
  Click(kConsoleSendButton);
  FinishSending();
  EXPECT_EQ(AsHex(line_.Received(11)), "41 42 43 0D 0A D6 D0 3F 1B 40 0A");
}

TEST_F(ConsolePanelTest, WorkerWritesEveryCopyReadingTheControlsThroughTheWindow) {
  SetContent("ABC");
  SetCount("3");
  Click(kConsoleSendButton);
  ASSERT_TRUE(window_.HandleEventsUntil([this] { return line_.Received(0, 0ms).size() >= 9; }));
  EXPECT_EQ(line_.Received(9), "ABCABCABC");

  // The worker reads the controls only when the window's thread serves it, so
  // what they hold by then is what it sends.
  Click(kConsoleSendButton);
  SetContent("XY");
  SetCount("2");
  ASSERT_TRUE(window_.HandleEventsUntil([this] { return line_.Received(0, 0ms).size() >= 13; }));
  EXPECT_EQ(line_.Received(13), "ABCABCABCXYXY");
  EXPECT_TRUE(window_.messages.empty());
}

TEST_F(ConsolePanelTest, StandardModeSendsEscS) {
  Click(kStandardModeButton);
  FinishSending();
  EXPECT_EQ(line_.Received(2), "\x1B\x53");
}

TEST_F(ConsolePanelTest, HexBoxRoundTripAndErrorLeavesTheText) {
  SetContent("中");
  Click(kHexBox);
  EXPECT_EQ(Content(), "D6 D0 ");
  Click(kHexBox);
  EXPECT_EQ(Content(), "中");

  SetContent("ZZ");
  window_.controls.SetChecked(kHexBox, true);
  Click(kHexBox);
  ASSERT_EQ(window_.messages.size(), 1u);
  EXPECT_EQ(window_.messages[0].caption, "错误");
  EXPECT_EQ(window_.messages[0].text, "十六进制字符输入有错误!");
  EXPECT_FALSE(HexChecked());
  EXPECT_EQ(Content(), "ZZ");

  window_.controls.SetChecked(kHexBox, true);
  Click(kClearButton);
  EXPECT_EQ(Content(), "");
  EXPECT_TRUE(HexChecked());
}

// Closing ends a long repeat after the copy going out: only whole copies
// reach the printer.
TEST_F(ConsolePanelTest, ClosingStopsALongRepeatAfterAWholeCopy) {
  SetContent("ABCD");
  SetCount("1000");
  Click(kConsoleSendButton);
  ASSERT_TRUE(window_.HandleEventsUntil([this] { return line_.Received(0, 0ms).size() >= 12; }));
  const auto start = std::chrono::steady_clock::now();
  controller_.Shutdown();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  const std::string wire = line_.Received();
  EXPECT_LT(wire.size(), 4000u);
  EXPECT_EQ(wire.size() % 4, 0u);
}

// A worker that has not yet read the controls waits on the window's thread;
// closing then must neither wait for it forever nor let it send.
TEST_F(ConsolePanelTest, ClosingBeforeTheWorkerReadsTheControlsSendsNothing) {
  SetCount("1000");
  Click(kConsoleSendButton);
  Click(kConsoleSendButton);
  const auto start = std::chrono::steady_clock::now();
  controller_.Shutdown();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_EQ(line_.Received(0, 200ms), "");
}

}  // namespace
}  // namespace kestrel::test
