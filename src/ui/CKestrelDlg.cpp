#include "ui/CKestrelDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <utility>

#include "commands/SendBuffer.h"
#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "ui/CAboutDlg.h"
#include "ui/DialogBuilder.h"
#include "ui/Dialog_About.h"
#include "ui/InterfaceTexts.h"
#include "ui/PreviewDialog.h"
#include "ui/QtDialogControls.h"
#include "ui/ResourcePictures.h"
#include "version/Version.h"
#include "window/AgingPanel.h"
#include "window/ConsolePanel.h"
#include "window/MainWindowJobs.h"
#include "window/MainWindowStart.h"

namespace kestrel {

namespace {

constexpr int kWindowIcon = 99;
constexpr int kBackgroundPicture = 131;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CKestrelDlg::CKestrelDlg(QWidget* parent, const PortDiscovery& discovery)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      discovery_(discovery),
      link_(std::make_unique<PrinterLink>(*this, discovery_)),
      sender_(std::make_unique<JobSender>([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
      })),
      progressTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("CKestrelDlg"));
  connect(progressTimer_, &QTimer::timeout, this, &CKestrelDlg::ShowSendProgress);
  controls_ = std::make_unique<DialogBuilder>(*this, MainWindowTemplate());
  controlsView_ = std::make_unique<QtDialogControls>(*controls_);
  background_ = ResourceImage(kBackgroundPicture);
  agingTimer_ = new QTimer(this);
  agingTimer_->setObjectName(QStringLiteral("AgingTimer"));
  aging_ = std::make_unique<AgingPanel>(*this, agingRunning_, SendCount);
  console_ = std::make_unique<ConsolePanel>(*this);
  InitDialog();
  ConnectHandlers();
  qApp->installEventFilter(this);
}

CKestrelDlg::~CKestrelDlg() {
  qApp->removeEventFilter(this);
  // Writes still going out end at once; the sender and the console's workers
  // read the controls and write through the link, so they are joined before
  // either goes.
  link_->AbandonWrites();
  sender_->Wait();
  console_.reset();
  agingTimer_->stop();
  aging_.reset();
}

void CKestrelDlg::InitDialog() {
  setWindowIcon(ResourceIcon(kWindowIcon));
  LoadInterfaceLanguage();
  idleTitle_ = Text(WindowTitle(GetVersionText()));
  setWindowTitle(idleTitle_);
  ApplyInterfaceTexts();
  if (!InterfaceIsChinese()) {
    if (QWidget* smallFont = Control(1084)) smallFont->hide();
  }
  SetAgingRunning(false);
  SendCount = 0;
}

void CKestrelDlg::ApplyInterfaceTexts() {
  FillStartupContents(*controls_, PortListEntries(discovery_));
  ReloadCustomLabelSize();
  ApplyCaptions(Controls());
  controls_->FitCaptions();
}

QWidget* CKestrelDlg::Control(int id) const { return controls_ ? controls_->Control(id) : nullptr; }

DialogControls& CKestrelDlg::Controls() { return *controlsView_; }

void CKestrelDlg::ReloadCustomLabelSize() { kestrel::ReloadCustomLabelSize(Controls()); }

JobContext CKestrelDlg::CurrentJobContext() const { return ReadJobContext(*controlsView_, AgingRunning()); }

bool CKestrelDlg::RunNamedJob(const std::string& name) { return RunWindowJob(*this, name, AgingRunning()); }

void CKestrelDlg::EnableAllControls(bool enabled) {
  // Windows owned by the window (message boxes) are not controls.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isWindow()) child->setEnabled(enabled);
}

void CKestrelDlg::EnableControl(int id, bool enabled) {
  if (QWidget* control = Control(id)) control->setEnabled(enabled);
}

void CKestrelDlg::StartAgingTimer(std::int32_t intervalMs) { agingTimer_->start(intervalMs); }

void CKestrelDlg::StopAgingTimer() { agingTimer_->stop(); }

void CKestrelDlg::CallOnWindowThread(const std::function<void()>& call) {
  QMetaObject::invokeMethod(
      this, [&call] { call(); }, Qt::BlockingQueuedConnection);
}

void CKestrelDlg::ServeWindowThreadCalls() { QCoreApplication::sendPostedEvents(this, QEvent::MetaCall); }

void CKestrelDlg::ShowMessage(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, Text(caption), Text(text), QMessageBox::Ok, this);
  // Some styles decorate dialog buttons with icons; the operator's boxes carry none.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

int CKestrelDlg::PortSelection() const { return controlsView_->Selection(1000).value_or(0); }

std::string CKestrelDlg::PortText() const { return controlsView_->Text(1000).value_or(""); }

std::string CKestrelDlg::BaudText() const { return controlsView_->Text(1001).value_or(""); }

void CKestrelDlg::SetConnectCaption(const std::string& caption) { Controls().SetText(1003, caption); }

void CKestrelDlg::EnablePortList(bool enabled) { EnableControl(1000, enabled); }

void CKestrelDlg::EnableBaudList(bool enabled) { EnableControl(1001, enabled); }

QEvent::Type CKestrelDlg::CustomLabelSizeChangedEvent() { return static_cast<QEvent::Type>(QEvent::User + 1025); }

void CKestrelDlg::NotifyCustomLabelSizeChanged(QWidget* mainWindow) {
  if (!mainWindow) return;
  QEvent message(CustomLabelSizeChangedEvent());
  QCoreApplication::sendEvent(mainWindow, &message);
}

QString CKestrelDlg::AboutEntryText() { return QStringLiteral("关于 Kestrel(&A)..."); }

void CKestrelDlg::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}

void CKestrelDlg::ShowVersionHistory() {
  Dialog_About history(this);
  history.exec();
}

bool CKestrelDlg::event(QEvent* event) {
  if (event->type() == CustomLabelSizeChangedEvent()) ReloadCustomLabelSize();
  return QDialog::event(event);
}

bool CKestrelDlg::eventFilter(QObject* watched, QEvent* event) {
  // F8 opens the history whichever control of this window has the focus. The
  // key is taken here so that its travel up to the window does not open it twice.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F8) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      ShowVersionHistory();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CKestrelDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F9) {
    ShowPreview();
    return;
  }
  // Enter that no button took (a one-line edit, a list) ends the window with
  // OK, as Esc ends it with Cancel; the console box keeps Enter for new lines.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CKestrelDlg::paintEvent(QPaintEvent* event) {
  if (!background_.isNull()) {
    QPainter painter(this);
    painter.drawImage(rect(), background_);
  }
  QDialog::paintEvent(event);
}

void CKestrelDlg::closeEvent(QCloseEvent* event) {
  ReleaseImageBuffer();
  QDialog::closeEvent(event);
}

void CKestrelDlg::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* about = menu.addAction(AboutEntryText());
  QAction* preview = menu.addAction(PreviewDialog::EntryText());
  preview->setShortcut(QKeySequence(Qt::Key_F9));
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == about) ShowAboutBox();
  if (chosen == preview) ShowPreview();
}

void CKestrelDlg::ShowPreview() {
  PreviewDialog preview(*this);
  preview.exec();
}

}  // namespace kestrel
