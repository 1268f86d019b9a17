#include "ui/CKestrelDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <utility>
#include <vector>

#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "ui/CAboutDlg.h"
#include "ui/DialogBuilder.h"
#include "ui/DialogEditCustomLabel.h"
#include "ui/Dialog_About.h"
#include "ui/InterfaceTexts.h"
#include "ui/PreviewDialog.h"
#include "ui/PrinterStatusDialog.h"
#include "ui/QtDialogControls.h"
#include "ui/ResourcePictures.h"
#include "window/ControlIds.h"
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
      progressTimer_(new QTimer(this)),
      agingTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("CKestrelDlg"));
  agingTimer_->setObjectName(QStringLiteral("AgingTimer"));
  controls_ = std::make_unique<DialogBuilder>(*this, MainWindowTemplate());
  controlsView_ = std::make_unique<QtDialogControls>(*controls_);
  controller_ = std::make_unique<MainWindowController>(*this, discovery_);
  background_ = ResourceImage(kBackgroundPicture);
  InitDialog();
  ForwardEvents();
  qApp->installEventFilter(this);
}

CKestrelDlg::~CKestrelDlg() {
  qApp->removeEventFilter(this);
  // The controller's workers read the controls: they end before the controls go.
  controller_->Shutdown();
  controller_.reset();
}

void CKestrelDlg::InitDialog() {
  setWindowIcon(ResourceIcon(kWindowIcon));
  controller_->Start();
  setWindowTitle(Text(controller_->ProgressTitle()));
  ApplyInterfaceTexts();
  if (!InterfaceIsChinese()) {
    if (QWidget* smallFont = Control(kSmallFontButton)) smallFont->hide();
  }
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

void CKestrelDlg::EnableAllControls(bool enabled) {
  // Windows owned by the window (message boxes) are not controls.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isWindow()) child->setEnabled(enabled);
}

void CKestrelDlg::StartAgingTimer(std::int32_t intervalMs) { agingTimer_->start(intervalMs); }

void CKestrelDlg::StopAgingTimer() { agingTimer_->stop(); }

void CKestrelDlg::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

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

void CKestrelDlg::OpenCustomLabelEditor() {
  DialogEditCustomLabel editor(this);
  editor.exec();
}

QEvent::Type CKestrelDlg::CustomLabelSizeChangedEvent() { return static_cast<QEvent::Type>(QEvent::User + 1025); }

void CKestrelDlg::NotifyCustomLabelSizeChanged(QWidget* mainWindow) {
  if (!mainWindow) return;
  QEvent message(CustomLabelSizeChangedEvent());
  QCoreApplication::sendEvent(mainWindow, &message);
}

void CKestrelDlg::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}

void CKestrelDlg::ShowVersionHistory() {
  Dialog_About history(this);
  history.exec();
}

void CKestrelDlg::ShowPreview() {
  PreviewDialog preview(*this);
  preview.exec();
}

void CKestrelDlg::ShowPrinterStatus() {
  PrinterStatusDialog status(this, Controller());
  status.exec();
}

CKestrelDlg::DialogOpener CKestrelDlg::DialogFor(MenuCommand command) {
  switch (command) {
    case MenuCommand::kAbout:
      return &CKestrelDlg::ShowAboutBox;
    case MenuCommand::kPreview:
      return &CKestrelDlg::ShowPreview;
    case MenuCommand::kPrinterStatus:
      return &CKestrelDlg::ShowPrinterStatus;
  }
  return nullptr;
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
  // Enter after a port typed into the port list ends the typing, not the window.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const QWidget* ports = Control(kPortList);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ports &&
        ports->isAncestorOf(qobject_cast<QWidget*>(watched)))
      return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CKestrelDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12) {
    const ContextMenuEntry* entry = MenuEntryForKey(event->key() - Qt::Key_F1 + 1);
    if (DialogOpener open = entry ? DialogFor(entry->command) : nullptr) {
      (this->*open)();
      return;
    }
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
  std::vector<std::pair<QAction*, DialogOpener>> actions;
  for (const ContextMenuEntry& entry : ContextMenuEntries()) {
    const DialogOpener open = DialogFor(entry.command);
    if (!open) continue;
    QAction* action = menu.addAction(Text(MenuEntryText(entry)));
    if (entry.functionKey > 0) action->setShortcut(QKeySequence(Qt::Key_F1 + entry.functionKey - 1));
    actions.emplace_back(action, open);
  }
  QAction* chosen = menu.exec(event->globalPos());
  for (const auto& [action, open] : actions)
    if (action == chosen) (this->*open)();
}

}  // namespace kestrel
