#include <fcntl.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/SendBuffer.h"
#include "support/TestSupport.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"

namespace kestrel::test {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

struct ShownMessage {
  QString caption;
  QString text;
  bool stoppedFirst;  // timer stopped and controls enabled when the box showed
};

class AgingControllerTest : public WindowOnSerialLineTest {
 protected:
  void SetUp() override {
    WindowOnSerialLineTest::SetUp();
    timer_ = dialog_->findChild<QTimer*>(QStringLiteral("AgingTimer"));
    ASSERT_NE(timer_, nullptr);
  }

  void SelectPort(const std::string& path) { test::SelectPort(*dialog_, path); }
  void SetInterval(const QString& text) { dialog_->ControlAs<QLineEdit>(1047)->setText(text); }
  QString CountText() const { return dialog_->ControlAs<QLabel>(1078)->text(); }

  // Handles the window's events and reads the printer's side until `done`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = Clock::now() + limit;
    while (!done() && Clock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      printer_.ReadAvailable(received_);
    }
    return done();
  }

  // The window's enabled controls, hidden ones and those without an id included.
  std::vector<QWidget*> EnabledControls() const {
    std::vector<QWidget*> enabled;
    for (QWidget* child : dialog_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!child->isWindow() && child->isEnabled()) enabled.push_back(child);
    return enabled;
  }
  bool EveryControlEnabled() const {
    for (QWidget* child : dialog_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!child->isWindow() && !child->isEnabled()) return false;
    return true;
  }

  // Closes every message box that opens and keeps what it said.
  ModalWatcher CloseMessages() {
    return ModalWatcher([this](QWidget* shown) {
      if (auto* box = qobject_cast<QMessageBox*>(shown)) {
        messages_.push_back({box->windowTitle(), box->text(), !timer_->isActive() && EveryControlEnabled()});
        box->accept();
      } else {
        shown->close();
      }
    });
  }

  Bytes received_;
  QTimer* timer_ = nullptr;
  std::vector<ShownMessage> messages_;
};

bool Contains(const Bytes& bytes, const Bytes& part) {
  return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

TEST_F(AgingControllerTest, SendsAreCountedOneByOneWithoutCopiesWhileOnlyStopIsEnabled) {
  SelectPort(printer_.slavePath());
  SetInterval(QStringLiteral("30"));
  dialog_->ControlAs<QComboBox>(1075)->setCurrentIndex(0);  // 60mm * 20mm

  Click(1076);
  // The first label goes out at Start, without waiting one interval, and
  // counts once its write has ended.
  EXPECT_TRUE(dialog_->Controller().Sending());
  EXPECT_EQ(CountText(), QStringLiteral("0"));
  ASSERT_TRUE(RunUntil([&] { return dialog_->Controller().SendCount >= 1; }));
  EXPECT_TRUE(dialog_->Controller().AgingRunning());
  EXPECT_TRUE(timer_->isActive());
  EXPECT_EQ(timer_->interval(), 30);
  EXPECT_EQ(EnabledControls(), std::vector<QWidget*>{dialog_->Control(1077)});

  ASSERT_TRUE(RunUntil([&] { return dialog_->Controller().SendCount >= 4; }));
  Click(1077);
  EXPECT_FALSE(dialog_->Controller().AgingRunning());
  EXPECT_FALSE(timer_->isActive());
  EXPECT_TRUE(EveryControlEnabled());

  const std::uint32_t sent = dialog_->Controller().SendCount;
  EXPECT_EQ(CountText(), QString::number(sent));
  const std::size_t labelLength = static_cast<std::size_t>(SendLength);
  ASSERT_TRUE(RunUntil([&] { return received_.size() >= sent * labelLength; }, std::chrono::seconds(2)));
  EXPECT_EQ(received_.size(), sent * labelLength);
  EXPECT_BYTES(Bytes(received_.begin(), received_.begin() + 6), "1B 40 1B 63 30 02");
  EXPECT_FALSE(Contains(received_, Hex("1F 55 38")));

  // Start goes on counting; Reset while stopped shows 0.
  Click(1076);
  FinishSending();
  EXPECT_EQ(dialog_->Controller().SendCount, sent + 1);
  Click(1077);
  Click(1079);
  EXPECT_EQ(CountText(), QStringLiteral("0"));
  EXPECT_EQ(dialog_->Controller().SendCount, 0u);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(AgingControllerTest, NoPrinterStopsAtTheFirstTickWithEveryControlEnabledAndTheCountKept) {
  SelectPort("/nonexistent/ttyKestrel0");
  dialog_->Controller().SendCount = 7;
  const auto watcher = CloseMessages();
  Click(1076);
  RunUntil([&] { return !messages_.empty(); }, std::chrono::milliseconds(500));

  ASSERT_EQ(messages_.size(), 1u);  // the port's own warning stays quiet while aging
  EXPECT_EQ(messages_[0].caption, QStringLiteral("Kestrel"));
  EXPECT_EQ(messages_[0].text, QStringLiteral("连接失败,已停止发送"));
  EXPECT_TRUE(messages_[0].stoppedFirst);
  EXPECT_FALSE(dialog_->Controller().AgingRunning());
  EXPECT_FALSE(timer_->isActive());
  EXPECT_TRUE(EveryControlEnabled());
  EXPECT_EQ(dialog_->Controller().SendCount, 7u);
}

TEST_F(AgingControllerTest, PrinterSideClosedMidRunStopsAtTheNextTick) {
  SelectPort(printer_.slavePath());
  SetInterval(QStringLiteral("30"));
  const auto watcher = CloseMessages();
  Click(1076);
  ASSERT_TRUE(RunUntil([&] { return dialog_->Controller().SendCount >= 2; }));
  const std::uint32_t sent = dialog_->Controller().SendCount;

  // The other side going away removes the port, so the tick's reopen fails.
  printer_.Close();
  ASSERT_TRUE(RunUntil([&] { return !messages_.empty(); }));
  RunUntil([] { return false; }, std::chrono::milliseconds(100));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, QStringLiteral("连接失败,已停止发送"));
  EXPECT_FALSE(timer_->isActive());
  EXPECT_TRUE(EveryControlEnabled());
  EXPECT_EQ(dialog_->Controller().SendCount, sent);
}

TEST_F(AgingControllerTest, LineThatTakesNoMoreBytesStopsWithTheSendMessage) {
  // A line whose printer stopped reading and which is full: the port opens
  // at every tick, but the write cannot go out.
  PtyPair stalled;
  stalled.Stall();
  SelectPort(stalled.slavePath());
  const auto watcher = CloseMessages();
  Click(1076);
  RunUntil([&] { return !messages_.empty(); }, std::chrono::seconds(10));

  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].caption, QStringLiteral("Kestrel"));
  EXPECT_EQ(messages_[0].text, QStringLiteral("发送失败,已停止发送"));
  EXPECT_TRUE(messages_[0].stoppedFirst);
  EXPECT_FALSE(dialog_->Controller().AgingRunning());
  EXPECT_FALSE(timer_->isActive());
  EXPECT_TRUE(EveryControlEnabled());
  EXPECT_EQ(CountText(), QStringLiteral("0"));
}

}  // namespace
}  // namespace kestrel::test
