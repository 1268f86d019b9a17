#include "ui/Dialog_About.h"

#include <QListWidget>

#include "ui/DialogBuilder.h"
#include "window/InterfaceItems.h"

namespace kestrel {

QStringList Dialog_About::HistoryLines() {
  QStringList lines;
  for (const std::string& line : kestrel::HistoryLines()) lines << QString::fromStdString(line);
  return lines;
}

Dialog_About::Dialog_About(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Dialog_About"));
  DialogBuilder controls(*this, HistoryTemplate());
  if (auto* list = controls.ControlAs<QListWidget>(1028)) {
    const QStringList lines = HistoryLines();
    for (int row = 0; row < lines.size(); ++row) list->insertItem(row, lines[row]);
  }
}

}  // namespace kestrel
