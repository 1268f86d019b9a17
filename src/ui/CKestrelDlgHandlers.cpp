#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "ui/CKestrelDlg.h"
#include "ui/DialogEditCustomLabel.h"
#include "window/AgingPanel.h"
#include "window/ConsolePanel.h"
#include "window/JobButtons.h"
#include "window/MainWindowJobs.h"

namespace kestrel {

void CKestrelDlg::ConnectHandlers() {
  if (auto* connect = ControlAs<QAbstractButton>(1003))
    QObject::connect(connect, &QAbstractButton::clicked, this, [this] {
      if (!Sending()) link_->ToggleConnection();
    });
  if (auto* ports = ControlAs<QComboBox>(1000))
    QObject::connect(ports, &QComboBox::activated, this, [this](int index) { link_->PortTypeChanged(index); });
  ConnectSelectionHandlers();
  ConnectJobButtons();
  ConnectAgingButtons();
  ConnectConsoleButtons();
  if (auto* design = ControlAs<QAbstractButton>(1042))
    QObject::connect(design, &QAbstractButton::clicked, this, &CKestrelDlg::OpenCustomLabelEditor);
}

// The operator's choices go into JobSettings; nothing is sent.
void CKestrelDlg::ConnectSelectionHandlers() {
  for (int id : {1010, 1011, 1012, 1013}) {
    if (auto* list = ControlAs<QComboBox>(id))
      QObject::connect(list, &QComboBox::activated, this, [id](int index) { StoreListSelection(id, index); });
  }
  if (auto* backfeed = ControlAs<QLineEdit>(1022))
    QObject::connect(backfeed, &QLineEdit::textChanged, this,
                     [](const QString& text) { StoreBackfeedText(text.toStdString()); });
}

void CKestrelDlg::ConnectJobButtons() {
  for (const JobButton& entry : JobButtons()) {
    auto* button = ControlAs<QAbstractButton>(entry.id);
    if (!button) continue;
    QObject::connect(button, &QAbstractButton::clicked, this,
                     [this, id = entry.id, job = entry.job] { PressJobButton(*this, id, job, AgingRunning()); });
  }
}

void CKestrelDlg::ConnectAgingButtons() {
  QObject::connect(agingTimer_, &QTimer::timeout, this, [this] { aging_->Tick(); });
  const auto onClick = [this](int id, void (AgingPanel::*operation)()) {
    if (auto* button = ControlAs<QAbstractButton>(id))
      QObject::connect(button, &QAbstractButton::clicked, this, [this, operation] { (aging_.get()->*operation)(); });
  };
  onClick(1076, &AgingPanel::Start);
  onClick(1077, &AgingPanel::Stop);
  onClick(1079, &AgingPanel::ResetCount);
}

void CKestrelDlg::ConnectConsoleButtons() {
  if (auto* send = ControlAs<QAbstractButton>(1035))
    QObject::connect(send, &QAbstractButton::clicked, this, [this] { console_->Send(); });
  if (auto* standard = ControlAs<QAbstractButton>(1036))
    QObject::connect(standard, &QAbstractButton::clicked, this, [this] { console_->SendStandardMode(AgingRunning()); });
  if (auto* hex = ControlAs<QAbstractButton>(1037))
    QObject::connect(hex, &QAbstractButton::clicked, this, [this](bool checked) { console_->HexClicked(checked); });
  if (auto* clear = ControlAs<QAbstractButton>(1038))
    QObject::connect(clear, &QAbstractButton::clicked, this, [this] { console_->Clear(); });
}

void CKestrelDlg::OpenCustomLabelEditor() {
  DialogEditCustomLabel editor(this);
  editor.exec();
}

}  // namespace kestrel
