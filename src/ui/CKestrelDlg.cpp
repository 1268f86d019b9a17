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
#include <utility>

#include "commands/SendBuffer.h"
#include "customlabel/LabelSettings.h"
#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "ui/AgingController.h"
#include "ui/CAboutDlg.h"
#include "ui/ConsoleController.h"
#include "ui/DialogBuilder.h"
#include "ui/Dialog_About.h"
#include "ui/InterfaceTexts.h"
#include "ui/PreviewDialog.h"
#include "ui/ResourcePictures.h"
#include "version/Version.h"

namespace kestrel {

namespace {

constexpr int kWindowIcon = 99;
constexpr int kBackgroundPicture = 131;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The interface language follows the locale. A code page chosen before the
// window was made (the window tests, kestrel-render-window) is kept.
void LoadInterfaceLanguage() {
  const std::int32_t chosen = TranslationMap::Instance().CodePage;
  if (chosen != 0) {
    LoadTranslations(chosen);
  } else {
    LoadTranslations();
  }
}

}  // namespace

CKestrelDlg::CKestrelDlg(QWidget* parent, LinkPaths paths)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      paths_(std::move(paths)),
      link_(std::make_unique<PrinterLink>(*this, paths_)) {
  setObjectName(QStringLiteral("CKestrelDlg"));
  controls_ = std::make_unique<DialogBuilder>(*this, MainWindowTemplate());
  background_ = ResourceImage(kBackgroundPicture);
  InitDialog();
  ConnectHandlers();
  aging_ = std::make_unique<AgingController>(*this);
  console_ = std::make_unique<ConsoleController>(*this);
  qApp->installEventFilter(this);
}

CKestrelDlg::~CKestrelDlg() {
  qApp->removeEventFilter(this);
  // The console's workers write through the link: join them before it goes.
  console_.reset();
  aging_.reset();
}

void CKestrelDlg::InitDialog() {
  setWindowIcon(ResourceIcon(kWindowIcon));
  LoadInterfaceLanguage();
  setWindowTitle(Text(WindowTitle(GetVersionText())));
  ApplyInterfaceTexts();
  if (!InterfaceIsChinese()) {
    if (QWidget* smallFont = Control(1084)) smallFont->hide();
  }
  SetAgingRunning(false);
  SendCount = 0;
}

void CKestrelDlg::ApplyInterfaceTexts() {
  FillStartupContents(*controls_, PortListEntries(paths_));
  ReloadCustomLabelSize();
  ApplyCaptions(*controls_);
  controls_->FitCaptions();
}

QWidget* CKestrelDlg::Control(int id) const { return controls_ ? controls_->Control(id) : nullptr; }

void CKestrelDlg::ReloadCustomLabelSize() {
  LabelSettings& settings = GetLabelSettings();
  if (auto* width = ControlAs<QLineEdit>(1033)) width->setText(Text(settings.ReadSettingText("CustomLabel_Width", 8)));
  if (auto* height = ControlAs<QLineEdit>(1041))
    height->setText(Text(settings.ReadSettingText("CustomLabel_Height", 8)));
}

JobContext CKestrelDlg::CurrentJobContext() const {
  JobContext context;
  context.settings = JobSettings;
  if (auto* speed = ControlAs<QComboBox>(1073)) context.speedText = speed->currentText().toStdString();
  if (auto* copies = ControlAs<QLineEdit>(1044)) context.copiesText = copies->text().toStdString();
  if (auto* density = ControlAs<QComboBox>(1029)) context.densityIndex = density->currentIndex();
  if (auto* rate = ControlAs<QComboBox>(1085)) context.printerBaudText = rate->currentText().toStdString();
  context.agingRunning = AgingRunning();
  context.now = LocalTimeNow();
  return context;
}

bool CKestrelDlg::RunNamedJob(const std::string& name, bool* written) {
  const NamedJob* job = FindJob(name);
  if (!job) return false;
  return RunJob(*link_, *job, CurrentJobContext(), written);
}

void CKestrelDlg::ShowMessage(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, Text(caption), Text(text), QMessageBox::Ok, this);
  // Some styles decorate dialog buttons with icons; the operator's boxes carry none.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.exec();
}

int CKestrelDlg::PortSelection() const {
  auto* ports = ControlAs<QComboBox>(1000);
  return ports ? ports->currentIndex() : 0;
}

std::string CKestrelDlg::PortText() const {
  auto* ports = ControlAs<QComboBox>(1000);
  return ports ? ports->currentText().toStdString() : std::string();
}

std::string CKestrelDlg::BaudText() const {
  auto* rates = ControlAs<QComboBox>(1001);
  return rates ? rates->currentText().toStdString() : std::string();
}

void CKestrelDlg::SetConnectCaption(const std::string& caption) {
  if (auto* button = ControlAs<QAbstractButton>(1003)) button->setText(Text(caption));
}

void CKestrelDlg::EnablePortList(bool enabled) {
  if (QWidget* ports = Control(1000)) ports->setEnabled(enabled);
}

void CKestrelDlg::EnableBaudList(bool enabled) {
  if (QWidget* rates = Control(1001)) rates->setEnabled(enabled);
}

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
