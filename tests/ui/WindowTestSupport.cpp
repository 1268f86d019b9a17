#include "ui/WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <cstdlib>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"
#include "window/ControlIds.h"

namespace kestrel::test {

void UseTemporaryDataFolder() {
  static TempDir folder;
  static const bool done = [] { return setenv("XDG_DATA_HOME", folder.path().c_str(), 1) == 0; }();
  (void)done;
}

std::vector<std::uint8_t> ReadWhileHandlingEvents(PtyPair& printer, std::size_t count, std::chrono::milliseconds wait) {
  std::vector<std::uint8_t> bytes;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents();
    printer.ReadAvailable(bytes, 5);
  }
  return bytes;
}

void SelectPort(CKestrelDlg& window, const std::string& path) {
  auto* ports = window.ControlAs<QComboBox>(kPortList);
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
  dialog_ = std::make_unique<CKestrelDlg>(nullptr, ports_);
}

void WindowOnSerialLineTest::TearDown() {
  dialog_.reset();
  JobSettings = JobSettingsRecord{};
}

void WindowOnSerialLineTest::SelectPrinterLine() {
  SelectPort(*dialog_, printer_.slavePath());
  dialog_->ControlAs<QComboBox>(kBaudList)->setCurrentText(QStringLiteral("115200"));
}

void WindowOnSerialLineTest::FinishSending() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (dialog_->Controller().Sending() && std::chrono::steady_clock::now() < deadline)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  ASSERT_FALSE(dialog_->Controller().Sending()) << "a job is still going out";
}

void WindowOnSerialLineTest::Click(int id) {
  FinishSending();
  QTest::mouseClick(dialog_->ControlAs<QAbstractButton>(id), Qt::LeftButton);
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
