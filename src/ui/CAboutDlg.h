#pragma once

#include <QDialog>

namespace kestrel {

// The about box (template 100), opened from the window menu entry
// "关于 Kestrel(&A)...". It has no behaviour of its own: OK or the close box
// ends it. The same Chinese texts show in both interface languages.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kestrel
