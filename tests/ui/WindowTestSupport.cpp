#include "ui/WindowTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <cstdlib>
#include <filesystem>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"

namespace kestrel::test {

void UseTemporaryDataFolder() {
  static TempDir folder;
  static const bool done = [] { return setenv("XDG_DATA_HOME", folder.path().c_str(), 1) == 0; }();
  (void)done;
}

EmptyLinkTree::EmptyLinkTree() {
  std::filesystem::create_directories(root_.path() + "/sys");
  std::filesystem::create_directories(root_.path() + "/dev");
}

LinkPaths EmptyLinkTree::Paths() const { return LinkPaths{root_.path() + "/sys", root_.path() + "/dev"}; }

PrinterPty::PrinterPty() {
  fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0) slavePath_ = ptsname(fd_);
}

PrinterPty::~PrinterPty() { Close(); }

void PrinterPty::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

void PrinterPty::ReadAvailable(std::vector<std::uint8_t>& bytes, int pollMs) {
  pollfd ready{fd_, POLLIN, 0};
  if (fd_ < 0 || poll(&ready, 1, pollMs) <= 0 || !(ready.revents & POLLIN)) return;
  std::uint8_t chunk[4096];
  const ssize_t got = read(fd_, chunk, sizeof chunk);
  if (got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
}

std::vector<std::uint8_t> PrinterPty::ReadWhileHandlingEvents(std::size_t count, std::chrono::milliseconds wait) {
  std::vector<std::uint8_t> bytes;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents();
    ReadAvailable(bytes, 5);
  }
  return bytes;
}

void SelectPort(CKestrelDlg& window, const std::string& path) {
  auto* ports = window.ControlAs<QComboBox>(1000);
  ports->addItem(QString::fromStdString(path));
  ports->setCurrentIndex(ports->count() - 1);
  emit ports->activated(ports->currentIndex());
}

WindowOnSerialLineTest::WindowOnSerialLineTest() = default;
WindowOnSerialLineTest::~WindowOnSerialLineTest() = default;

void WindowOnSerialLineTest::SetUp() {
  UseTemporaryDataFolder();
  LoadTranslations(936);
  ASSERT_FALSE(printer_.slavePath().empty());
  dialog_ = std::make_unique<CKestrelDlg>(nullptr, links_.Paths());
}

void WindowOnSerialLineTest::TearDown() {
  dialog_.reset();
  JobSettings = JobSettingsRecord{};
}

void WindowOnSerialLineTest::SelectPrinterLine() {
  SelectPort(*dialog_, printer_.slavePath());
  dialog_->ControlAs<QComboBox>(1001)->setCurrentText(QStringLiteral("115200"));
}

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handle) : handle_(std::move(handle)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(5);
}

ModalWatcher::~ModalWatcher() { timer_.stop(); }

void ModalWatcher::Poll() {
  QWidget* shown = QApplication::activePopupWidget();
  if (!shown) shown = QApplication::activeModalWidget();
  if (!shown || !shown->isVisible() || seen_.contains(shown)) return;
  seen_.append(shown);
  handle_(shown);
}

}  // namespace kestrel::test
