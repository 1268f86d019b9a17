#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include "language/TranslationMap.h"
#include "operations/SettingTables.h"
#include "ui/CKestrelDlg.h"
#include "ui/DialogEditCustomLabel.h"
#include "window/JobButtons.h"

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
  if (auto* design = ControlAs<QAbstractButton>(1042))
    QObject::connect(design, &QAbstractButton::clicked, this, &CKestrelDlg::OpenCustomLabelEditor);
}

// The operator's choices go into JobSettings; nothing is sent.
void CKestrelDlg::ConnectSelectionHandlers() {
  if (auto* paper = ControlAs<QComboBox>(1010))
    QObject::connect(paper, &QComboBox::activated, this, [](int index) { JobSettings.PaperType = index; });
  if (auto* direction = ControlAs<QComboBox>(1011))
    QObject::connect(direction, &QComboBox::activated, this, [](int index) { JobSettings.PrintDirection = index; });
  if (auto* size = ControlAs<QComboBox>(1012))
    QObject::connect(size, &QComboBox::activated, this,
                     [](int index) { LabelAreaFor(index, &JobSettings.AreaWidthDots, &JobSettings.AreaHeightDots); });
  if (auto* barcode = ControlAs<QComboBox>(1013))
    QObject::connect(barcode, &QComboBox::activated, this, [](int index) {
      const std::int32_t system = BarcodeSystemFor(index);
      if (system >= 0) JobSettings.BarcodeSystem = system;
    });
  if (auto* backfeed = ControlAs<QLineEdit>(1022))
    QObject::connect(backfeed, &QLineEdit::textChanged, this,
                     [](const QString& text) { JobSettings.BackfeedValue = ParseDecimal(text.toStdString()); });
}

void CKestrelDlg::ConnectJobButtons() {
  for (const JobButton& entry : JobButtons()) {
    auto* button = ControlAs<QAbstractButton>(entry.id);
    if (!button) continue;
    QObject::connect(button, &QAbstractButton::clicked, this,
                     [this, id = entry.id, job = entry.job] { RunJobButton(id, job); });
  }
}

void CKestrelDlg::RunJobButton(int id, const char* jobName) {
  // Refused while a job goes out: the link is busy and SendBuffer in use.
  if (!FindJob(jobName) || Sending()) return;
  const bool reached = RunNamedJob(jobName);
  // Of the button jobs only the bar code test says that the printer is missing.
  if (!reached && id == 1020) ShowMessage(Translate("打印机未连接！"), "Kestrel");
}

void CKestrelDlg::OpenCustomLabelEditor() {
  DialogEditCustomLabel editor(this);
  editor.exec();
}

}  // namespace kestrel
