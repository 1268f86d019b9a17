#include "ui/Dialog_About.h"

#include <QListWidget>

#include "ui/DialogBuilder.h"

namespace kestrel {

QStringList Dialog_About::HistoryLines() {
  return {
      QStringLiteral("V1.0.2（20210222）"),    QStringLiteral("1、更新每次按钮打印发送数据都会重新连接一下设备"),
      QStringLiteral("2、版本号更新为V1.0.2"), QStringLiteral("\t"),
      QStringLiteral("V1.0.1（20201220）"),    QStringLiteral("\t\t初始版本！"),
  };
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
