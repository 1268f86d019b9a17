#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "support/TestSupport.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"

namespace kestrel::test {
namespace {

using Clock = std::chrono::steady_clock;

class ConsoleControllerTest : public WindowOnSerialLineTest {
 protected:
  void SetUp() override {
    WindowOnSerialLineTest::SetUp();
    SelectPrinterLine();
  }

  void SetContent(const QString& text) { dialog_->ControlAs<QTextEdit>(1039)->setPlainText(text); }
  QString Content() const { return dialog_->ControlAs<QTextEdit>(1039)->toPlainText(); }
  void SetCount(const QString& text) { dialog_->ControlAs<QLineEdit>(1034)->setText(text); }
  QCheckBox* HexBox() const { return dialog_->ControlAs<QCheckBox>(1037); }
};

std::string Repeated(const std::string& hex, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += hex + " ";
  return all;
}

TEST_F(ConsoleControllerTest, OneCopyOfTextAndOfHexBytes) {
  // A no-break space is no plain blank: GBK has no byte for it.
  SetContent(QStringLiteral("ABC\n中\u00A0"));
  Click(1035);
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, 8), "41 42 43 0D 0A D6 D0 3F");

  SetContent(QStringLiteral("1b 40 0a"));
  HexBox()->setChecked(true);
  SetCount(QStringLiteral("-2"));
  Click(1035);
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, 3), "1B 40 0A");
}

TEST_F(ConsoleControllerTest, WorkerWritesEveryCopyReadingTheControlsThroughTheWindow) {
  SetContent(QStringLiteral("ABC"));
  SetCount(QStringLiteral("3"));
  Click(1035);
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, 9), Repeated("41 42 43", 3));

  // The worker reads the controls only when the window's thread serves it, so
  // what they hold by then is what it sends.
  Click(1035);
  SetContent(QStringLiteral("XY"));
  SetCount(QStringLiteral("2"));
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, 5, std::chrono::milliseconds(500)), Repeated("58 59", 2));
}

TEST_F(ConsoleControllerTest, StandardModeSendsEscS) {
  Click(1036);
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, 3, std::chrono::milliseconds(300)), "1B 53");
}

TEST_F(ConsoleControllerTest, HexBoxRoundTripAndErrorLeavesTheText) {
  SetContent(QStringLiteral("中"));
  Click(1037);
  EXPECT_EQ(Content(), QStringLiteral("D6 D0 "));
  Click(1037);
  EXPECT_EQ(Content(), QStringLiteral("中"));

  SetContent(QStringLiteral("ZZ"));
  HexBox()->setChecked(true);
  QString title;
  QString text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    title = box->windowTitle();
    text = box->text();
    box->accept();
  });
  Click(1037);
  EXPECT_EQ(title, QStringLiteral("错误"));
  EXPECT_EQ(text, QStringLiteral("十六进制字符输入有错误!"));
  EXPECT_FALSE(HexBox()->isChecked());
  EXPECT_EQ(Content(), QStringLiteral("ZZ"));

  HexBox()->setChecked(true);
  Click(1038);
  EXPECT_TRUE(Content().isEmpty());
  EXPECT_TRUE(HexBox()->isChecked());
}

TEST_F(ConsoleControllerTest, ClosingTheWindowStopsALongRepeat) {
  SetContent(QStringLiteral("ABCD"));
  SetCount(QStringLiteral("1000"));
  Click(1035);
  std::vector<std::uint8_t> arrived = ReadWhileHandlingEvents(printer_, 12);
  ASSERT_GE(arrived.size(), 12u);

  // Keep reading, so that no write waits on a full line while the window closes.
  std::atomic<bool> closed = false;
  std::mutex arrivedLock;
  std::thread reader([&] {
    while (!closed) {
      std::vector<std::uint8_t> more;
      printer_.ReadAvailable(more, 5);
      std::lock_guard lock(arrivedLock);
      arrived.insert(arrived.end(), more.begin(), more.end());
    }
  });
  const auto start = Clock::now();
  dialog_->close();
  dialog_.reset();
  const auto closing = Clock::now() - start;
  closed = true;
  reader.join();
  for (int i = 0; i < 10; ++i) printer_.ReadAvailable(arrived, 5);

  EXPECT_LT(closing, std::chrono::seconds(3));
  EXPECT_LT(arrived.size(), 4000u);
  EXPECT_EQ(arrived.size() % 4, 0u);
}

// A worker that has not yet read the controls waits on the window's thread;
// closing the window then must neither wait for it forever nor let it send.
TEST_F(ConsoleControllerTest, ClosingBeforeTheWorkerReadsTheControlsSendsNothing) {
  SetCount(QStringLiteral("1000"));
  Click(1035);
  Click(1035);
  const auto start = Clock::now();
  dialog_.reset();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  std::vector<std::uint8_t> arrived;
  printer_.ReadAvailable(arrived, 50);
  EXPECT_TRUE(arrived.empty()) << ToHex(arrived);
}

}  // namespace
}  // namespace kestrel::test
