#include "ui/CAboutDlg.h"

#include "ui/DialogBuilder.h"

namespace kestrel {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CAboutDlg"));
  DialogBuilder controls(*this, AboutBoxTemplate());
}

}  // namespace kestrel
