#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "support/TestSupport.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"
#include "window/ControlIds.h"

namespace kestrel::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Counts the window's paint events.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

// A printer at 1200 baud whose line is full and which reads slowly: a label
// takes a while to go out.
class SendingWindowTest : public WindowOnSerialLineTest {
 protected:
  void SetUp() override {
    WindowOnSerialLineTest::SetUp();
    SelectPrinterLine();
    dialog_->ControlAs<QComboBox>(kBaudList)->setCurrentText(QStringLiteral("1200"));
    filled_ = printer_.Stall();
  }

  // What the slow printer read meanwhile: a small piece at a time, the
  // window's events handled in between.
  void ReadSlowly(std::vector<std::uint8_t>& received) {
    QTest::qWait(10);
    const std::vector<std::uint8_t> piece = printer_.Read(256, 5ms);
    received.insert(received.end(), piece.begin(), piece.end());
  }

  std::size_t filled_ = 0;
};

TEST_F(SendingWindowTest, TheWindowAnswersAndShowsTheShareSentWhileALabelGoesOut) {
  BeginJob();
  FindJob("80x60")->compose(dialog_->Controller().CurrentJobContext());
  const std::vector<std::uint8_t> label = Composed();
  dialog_->show();
  PaintCounter painting;
  dialog_->installEventFilter(&painting);
  const QString idleTitle = dialog_->windowTitle();

  const auto start = Clock::now();
  Click(k80x60Button);
  const auto clickTook = Clock::now() - start;
  EXPECT_LT(clickTook, 500ms) << "the click waited for the line";
  RecordProperty("click_ms", static_cast<int>(clickTook / 1ms));
  ASSERT_TRUE(dialog_->Controller().Sending());
  EXPECT_EQ(dialog_->cursor().shape(), Qt::BusyCursor);

  // While it goes out: the window repaints, runs its timers, shows the share
  // sent, and refuses another job.
  bool timerRan = false;
  QTimer::singleShot(0, [&] { timerRan = true; });
  for (const int other : {k60x20Button, kAgingStartButton})  // a second job, the aging test's start
    QTest::mouseClick(dialog_->ControlAs<QAbstractButton>(other), Qt::LeftButton);
  EXPECT_FALSE(dialog_->Controller().AgingRunning());
  std::vector<std::uint8_t> received;
  bool progressShown = false;
  while (dialog_->Controller().Sending() && Clock::now() - start < 20s) {
    dialog_->update();
    ReadSlowly(received);
    progressShown = progressShown || dialog_->windowTitle().startsWith(idleTitle + QStringLiteral(" - 发送中 "));
  }
  EXPECT_TRUE(timerRan);
  EXPECT_GT(painting.paints, 2);
  EXPECT_TRUE(progressShown) << dialog_->windowTitle().toStdString();

  // Then exactly the label follows what the line held: the second job was refused.
  for (std::size_t before = 0; before != received.size();) {
    before = received.size();
    printer_.ReadAvailable(received, 100);
  }
  EXPECT_EQ(received.size(), filled_ + label.size());
  const std::size_t labelStart = received.size() - std::min(received.size(), label.size());
  EXPECT_BYTES(std::vector<std::uint8_t>(received.begin() + labelStart, received.end()), label);
  EXPECT_EQ(dialog_->windowTitle(), idleTitle);
  EXPECT_NE(dialog_->cursor().shape(), Qt::BusyCursor);
  RecordProperty("label_bytes", static_cast<int>(label.size()));
  RecordProperty("send_ms", static_cast<int>((Clock::now() - start) / 1ms));
}

// A label cut short leaves the printer inside its page-mode buffer and the
// next job prints garbage: closing the window lets the label going out
// finish, then ends.
TEST_F(SendingWindowTest, ClosingTheWindowLetsAJobGoingOutFinishWhole) {
  BeginJob();
  FindJob("80x60")->compose(dialog_->Controller().CurrentJobContext());
  const std::vector<std::uint8_t> label = Composed();
  Click(k80x60Button);
  ASSERT_TRUE(dialog_->Controller().Sending());

  // The printer takes up reading only once the close has begun.
  std::vector<std::uint8_t> received;
  std::atomic<bool> closed = false;
  std::thread reader([&] {
    std::this_thread::sleep_for(300ms);
    while (!closed) printer_.ReadAvailable(received, 5);
  });
  dialog_->close();
  dialog_.reset();
  closed = true;
  reader.join();
  for (std::size_t before = 0; before != received.size();) {
    before = received.size();
    printer_.ReadAvailable(received, 100);
  }
  EXPECT_EQ(received.size(), filled_ + label.size());
  const std::size_t labelStart = received.size() - std::min(received.size(), label.size());
  EXPECT_BYTES(std::vector<std::uint8_t>(received.begin() + labelStart, received.end()), label);
}

}  // namespace
}  // namespace kestrel::test
