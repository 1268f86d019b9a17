#include "ui/ConsoleController.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <chrono>

#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"

namespace kestrel {
namespace {

constexpr int kCountEdit = 1034;
constexpr int kSendButton = 1035;
constexpr int kStandardModeButton = 1036;
constexpr int kHexBox = 1037;
constexpr int kClearButton = 1038;
constexpr int kContentBox = 1039;

// The box's characters as typed, each line ended with CR LF as the operator's
// content goes to the printer. The box keeps lines as paragraphs; its raw
// text, unlike its plain text, keeps a no-break space what it is.
std::string ConsoleText(const QTextDocument& document) {
  QString text = document.toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text.toStdString();
}

QString AsParagraphs(const std::string& text) {
  QString plain = QString::fromStdString(text);
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return plain;
}

}  // namespace

ConsoleController::ConsoleController(CKestrelDlg& dialog) : dialog_(dialog) {
  if (auto* send = dialog_.ControlAs<QAbstractButton>(kSendButton))
    connect(send, &QAbstractButton::clicked, this, &ConsoleController::Send);
  if (auto* standard = dialog_.ControlAs<QAbstractButton>(kStandardModeButton))
    connect(standard, &QAbstractButton::clicked, this, &ConsoleController::SendStandardMode);
  if (auto* hex = dialog_.ControlAs<QAbstractButton>(kHexBox))
    connect(hex, &QAbstractButton::clicked, this, &ConsoleController::HexClicked);
  if (auto* clear = dialog_.ControlAs<QAbstractButton>(kClearButton))
    connect(clear, &QAbstractButton::clicked, this, &ConsoleController::Clear);
}

ConsoleController::~ConsoleController() {
  // A worker may be waiting for this thread to read the controls or to show a
  // message. With stopping_ set those calls return at once, so serving them
  // here lets every worker reach its end instead of waiting forever on a
  // thread that is waiting for it.
  stopping_ = true;
  for (;;) {
    bool allDone = true;
    for (const auto& worker : workers_) allDone = allDone && worker->done.load();
    if (allDone) break;
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (const auto& worker : workers_) worker->thread.join();
}

void ConsoleController::Send() {
  if (dialog_.Sending()) return;  // refused while a job goes out
  PrinterLink& link = dialog_.Link();
  link.ReconnectPrinter();
  if (!link.Connected()) return;

  const ConsoleInput input = ReadInput();
  const auto buffer = std::make_shared<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(input.content, input.hexMode, *buffer);
  if (error != ConsoleError::kNone) {
    ShowConsoleError(error);
    return;
  }
  if (SendsOnce(ReadSendCount(input.countText))) {
    dialog_.SendOffThread([&link, buffer] { return link.WritePrinter(buffer->bytes.data(), buffer->length); });
    return;
  }
  StartWorker();
}

void ConsoleController::SendStandardMode() { dialog_.RunNamedJob("standardmode"); }

void ConsoleController::Clear() {
  if (auto* content = dialog_.ControlAs<QTextEdit>(kContentBox)) content->clear();
}

void ConsoleController::HexClicked(bool checked) {
  const std::string content = ContentText();
  if (content.empty()) return;
  const std::optional<std::string> converted = ConvertForHexBox(content, checked);
  if (!converted) {
    dialog_.ShowMessage(Translate(ConsoleErrorText(ConsoleError::kHexInput)), Translate("错误"));
    return;
  }
  SetContentText(*converted);
}

ConsoleController::ConsoleInput ConsoleController::ReadInput() const {
  ConsoleInput input;
  if (auto* hex = dialog_.ControlAs<QCheckBox>(kHexBox)) input.hexMode = hex->isChecked();
  input.content = ContentText();
  if (auto* count = dialog_.ControlAs<QLineEdit>(kCountEdit)) input.countText = count->text().toStdString();
  return input;
}

std::string ConsoleController::ContentText() const {
  auto* content = dialog_.ControlAs<QTextEdit>(kContentBox);
  return content ? ConsoleText(*content->document()) : std::string();
}

void ConsoleController::SetContentText(const std::string& text) {
  if (auto* content = dialog_.ControlAs<QTextEdit>(kContentBox)) content->setPlainText(AsParagraphs(text));
}

void ConsoleController::ShowConsoleError(ConsoleError error) {
  dialog_.ShowMessage(Translate(ConsoleErrorText(error)), Translate("Kestrel"));
}

void ConsoleController::StartWorker() {
  JoinFinishedWorkers();
  auto worker = std::make_unique<Worker>();
  Worker& started = *worker;
  workers_.push_back(std::move(worker));
  started.thread = std::thread([this, &started] {
    RepeatSendWorker();
    started.done = true;
  });
}

void ConsoleController::JoinFinishedWorkers() {
  std::erase_if(workers_, [](const std::unique_ptr<Worker>& worker) {
    if (!worker->done.load()) return false;
    worker->thread.join();
    return true;
  });
}

// Runs on its own thread: reads the controls once, through the window's
// thread, then writes its copies; a later change of the controls does not
// reach it. It does not reconnect: it writes to whatever port is open.
void ConsoleController::RepeatSendWorker() {
  ConsoleInput input;
  if (!OnWindowThread([&] { input = ReadInput(); })) return;

  auto buffer = std::make_unique<ConsoleBuffer>();
  const ConsoleError error = PrepareConsoleSend(input.content, input.hexMode, *buffer);
  if (error != ConsoleError::kNone) {
    OnWindowThread([&] { ShowConsoleError(error); });
    return;
  }
  PrinterLink& link = dialog_.Link();
  RepeatSend(
      *buffer, ReadSendCount(input.countText),
      [&link](const std::uint8_t* bytes, std::int32_t length) { return link.WritePrinter(bytes, length); }, stopping_);
}

template <typename Call>
bool ConsoleController::OnWindowThread(Call&& call) {
  bool ran = false;
  QMetaObject::invokeMethod(
      this,
      [&] {
        if (stopping_.load()) return;
        call();
        ran = true;
      },
      Qt::BlockingQueuedConnection);
  return ran;
}

}  // namespace kestrel
