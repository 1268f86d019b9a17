#include <memory>
#include <string>

#include "link/posix/ScriptedPrinter.h"
#include "window/ControllerTestSupport.h"
#include "window/FakeDialogControls.h"
#include "window/PrinterStatusPanel.h"

namespace kestrel::test {

// A printer on a pseudo-terminal that answers the status and identity
// queries: out of paper, no serial number.
struct AnsweringLine {
  AnsweringLine() { pty.MakeRaw(); }
  PtyPair pty;
  ScriptedPrinter printer{pty.master(),
                          {{"10 04 01", "1A"},
                           {"10 04 02", "32"},
                           {"10 04 03", "12"},
                           {"10 04 04", "7E"},
                           {"1D 49 01", "20"},
                           {"1D 49 02", "02"},
                           {"1D 49 03", "01"},
                           {"1D 49 41", "5F 31 2E 32 00"},
                           {"1D 49 42", "5F 41 43 4D 45 00"},
                           {"1D 49 43", "5F 4C 42 00"},
                           {"1D 49 45", "5F 47 42 00"}}};
};

const std::string& DeviceOf(const AnsweringLine& line) { return line.pty.slavePath(); }

namespace {

class PrinterStatusPanelTest : public ControllerTestOn<AnsweringLine> {
 protected:
  std::string Report() const { return *dialog_.Text(kPrinterStatusText); }
  FakeDialogControls dialog_{PrinterStatusTemplate()};
};

TEST_F(PrinterStatusPanelTest, OpeningAsksOffTheWindowsThreadAndShowsTheAnswers) {
  SelectLine();
  PrinterStatusPanel panel(controller_, dialog_);
  panel.Open();
  // The window's thread is free at once; the answers come later.
  EXPECT_TRUE(panel.Asking());
  EXPECT_EQ(Report(), "正在询问打印机...");
  EXPECT_FALSE(*dialog_.Enabled(kPrinterStatusRefresh));
  EXPECT_TRUE(controller_.Sending()) << "no job starts while the printer is asked";
  ASSERT_TRUE(window_.HandleEventsUntil([&] { return !panel.Asking(); }));
  EXPECT_TRUE(*dialog_.Enabled(kPrinterStatusRefresh));
  EXPECT_EQ(Report(),
            "故障: 缺纸\n脱机，钱箱关闭，缺纸\n\n型号 ID: 0x20\n类型 ID: 0x02\nROM 版本: 0x01\n固件版本: 1.2\n厂商: ACME\n"
            "型号: LB\n序列号: (no answer in 1000 ms)\n代码页: GB\n");
  EXPECT_EQ(*dialog_.Text(kPrinterStatusRefresh), "刷新");
}

TEST_F(PrinterStatusPanelTest, AnAnswerAfterTheDialogClosedIsDropped) {
  SelectLine();
  auto panel = std::make_unique<PrinterStatusPanel>(controller_, dialog_);
  panel->Open();
  panel.reset();
  ASSERT_TRUE(window_.HandleEventsUntil([&] { return !controller_.Sending(); }));
  EXPECT_EQ(Report(), "正在询问打印机...");
}

TEST_F(PrinterStatusPanelTest, APortThatDoesNotOpenIsSaidInTheInterfaceLanguage) {
  LoadTranslations(1252);
  Pick(kPortList, 0);  // USB, and the test lists none
  PrinterStatusPanel panel(controller_, dialog_);
  panel.Open();
  EXPECT_FALSE(panel.Asking());
  EXPECT_EQ(Report().rfind("The printer could not be reached: no USB printer", 0), 0u) << Report();
  EXPECT_EQ(*dialog_.Text(kPrinterStatusClose), "Close");
}

}  // namespace
}  // namespace kestrel::test
