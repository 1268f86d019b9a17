#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "support/TestSupport.h"
#include "ui/CKestrelDlg.h"

namespace kestrel::test {
namespace {

using Clock = std::chrono::steady_clock;

// The other side of the serial port the window opens: a pseudo-terminal
// master. The window holds the slave.
class PtyMaster {
 public:
  PtyMaster() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0) slavePath_ = ptsname(fd_);
  }
  ~PtyMaster() {
    if (fd_ >= 0) close(fd_);
  }
  const std::string& slavePath() const { return slavePath_; }

  // Reads what arrived within `wait`, handling the window's events meanwhile.
  std::vector<std::uint8_t> ReadWhileHandlingEvents(std::size_t count,
                                                    std::chrono::milliseconds wait = std::chrono::seconds(3)) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = Clock::now() + wait;
    while (bytes.size() < count && Clock::now() < deadline) {
      QCoreApplication::processEvents();
      ReadAvailable(bytes, 5);
    }
    return bytes;
  }

  // Appends what arrives within `pollMs`.
  void ReadAvailable(std::vector<std::uint8_t>& bytes, int pollMs) {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, pollMs) <= 0 || !(ready.revents & POLLIN)) return;
    std::uint8_t chunk[4096];
    const ssize_t got = read(fd_, chunk, sizeof chunk);
    if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  }

 private:
  int fd_ = -1;
  std::string slavePath_;
};

class ConsoleControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", dataHome_.path().c_str(), 1);
    LoadTranslations(936);
    ASSERT_FALSE(pty_.slavePath().empty());
    dialog_ = std::make_unique<CKestrelDlg>(nullptr, LinkPaths{linkRoot_.path() + "/sys", linkRoot_.path() + "/dev"});
    auto* ports = dialog_->ControlAs<QComboBox>(1000);
    ASSERT_NE(ports, nullptr);
    ports->addItem(QString::fromStdString(pty_.slavePath()));
    ports->setCurrentIndex(ports->count() - 1);
    emit ports->activated(ports->currentIndex());
    dialog_->ControlAs<QComboBox>(1001)->setCurrentText(QStringLiteral("115200"));
  }
  void TearDown() override {
    dialog_.reset();
    JobSettings.PortKind = 0;
    unsetenv("XDG_DATA_HOME");
  }

  void SetContent(const QString& text) { dialog_->ControlAs<QTextEdit>(1039)->setPlainText(text); }
  QString Content() const { return dialog_->ControlAs<QTextEdit>(1039)->toPlainText(); }
  void SetCount(const QString& text) { dialog_->ControlAs<QLineEdit>(1034)->setText(text); }
  QCheckBox* HexBox() const { return dialog_->ControlAs<QCheckBox>(1037); }
  void Click(int id) { QTest::mouseClick(dialog_->ControlAs<QAbstractButton>(id), Qt::LeftButton); }

  TempDir dataHome_;
  TempDir linkRoot_;
  PtyMaster pty_;
  std::unique_ptr<CKestrelDlg> dialog_;
};

std::string Repeated(const std::string& hex, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += hex + " ";
  return all;
}

TEST_F(ConsoleControllerTest, OneCopyOfTextAndOfHexBytes) {
  SetContent(QStringLiteral("ABC\n中"));
  Click(1035);
  EXPECT_BYTES(pty_.ReadWhileHandlingEvents(7), "41 42 43 0D 0A D6 D0");

  SetContent(QStringLiteral("1b 40 0a"));
  HexBox()->setChecked(true);
  SetCount(QStringLiteral("-2"));
  Click(1035);
  EXPECT_BYTES(pty_.ReadWhileHandlingEvents(3), "1B 40 0A");
}

TEST_F(ConsoleControllerTest, WorkerWritesEveryCopyReadingTheControlsThroughTheWindow) {
  SetContent(QStringLiteral("ABC"));
  SetCount(QStringLiteral("3"));
  Click(1035);
  EXPECT_BYTES(pty_.ReadWhileHandlingEvents(9), Repeated("41 42 43", 3));

  // The worker reads the controls only when the window's thread serves it, so
  // what they hold by then is what it sends.
  Click(1035);
  SetContent(QStringLiteral("XY"));
  SetCount(QStringLiteral("2"));
  EXPECT_BYTES(pty_.ReadWhileHandlingEvents(5, std::chrono::milliseconds(500)), Repeated("58 59", 2));
}

TEST_F(ConsoleControllerTest, StandardModeSendsEscS) {
  Click(1036);
  EXPECT_BYTES(pty_.ReadWhileHandlingEvents(3, std::chrono::milliseconds(300)), "1B 53");
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
  std::vector<std::uint8_t> arrived = pty_.ReadWhileHandlingEvents(12);
  ASSERT_GE(arrived.size(), 12u);

  // Keep reading, so that no write waits on a full line while the window closes.
  std::atomic<bool> closed = false;
  std::mutex arrivedLock;
  std::thread reader([&] {
    while (!closed) {
      std::vector<std::uint8_t> more;
      pty_.ReadAvailable(more, 5);
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
  for (int i = 0; i < 10; ++i) pty_.ReadAvailable(arrived, 5);

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
  pty_.ReadAvailable(arrived, 50);
  EXPECT_TRUE(arrived.empty()) << ToHex(arrived);
}

}  // namespace
}  // namespace kestrel::test
