#pragma once

#include <QDialog>
#include <QStringList>

namespace kestrel {

// The version history (template 137), opened with F8 from anywhere in the
// main window. Not translated: the lines are the same in both languages.
class Dialog_About : public QDialog {
  Q_OBJECT

 public:
  explicit Dialog_About(QWidget* parent = nullptr);

  // The history lines, top to bottom.
  static QStringList HistoryLines();
};

}  // namespace kestrel
