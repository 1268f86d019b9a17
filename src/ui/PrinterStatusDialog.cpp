#include "ui/PrinterStatusDialog.h"

#include <QPushButton>
#include <QTextEdit>

#include "language/TranslationMap.h"

namespace kestrel {

PrinterStatusDialog::PrinterStatusDialog(QWidget* parent, MainWindowController& controller)
    : QDialog(parent), builder_(*this, PrinterStatusTemplate()), panel_(controller, controls_) {
  setObjectName(QStringLiteral("PrinterStatusDialog"));
  setWindowTitle(QString::fromStdString(InterfaceIsChinese() ? "打印机状态" : "Printer status"));
  if (auto* text = builder_.ControlAs<QTextEdit>(kPrinterStatusText)) text->setReadOnly(true);
  if (auto* refresh = builder_.ControlAs<QPushButton>(kPrinterStatusRefresh))
    connect(refresh, &QPushButton::clicked, this, [this] { panel_.Refresh(); });
  if (auto* close = builder_.ControlAs<QPushButton>(kPrinterStatusClose))
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
  panel_.Open();
  builder_.FitCaptions();
}

QString PrinterStatusDialog::ReportText() const {
  const auto* text = builder_.ControlAs<QTextEdit>(kPrinterStatusText);
  return text ? text->toPlainText() : QString();
}

}  // namespace kestrel
