#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "emulator/StreamPreview.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QScrollArea;

namespace kestrel {

class CKestrelDlg;

// The preview: every job of the main window's buttons, by caption, composed
// with the window's current settings and printed on the virtual printer. It
// shows the pages at 1:1 or fitted, the decoded commands beside them, and
// saves a page as PNG or the job's bytes. It never opens a port.
class PreviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PreviewDialog(CKestrelDlg& window);

  // Selects a job by name (its row in the list) and renders it.
  bool SelectJob(const std::string& job);
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  // The pages printed, copies counted, as shown.
  std::size_t pageCount() const { return preview_.PageCount(); }
  QImage page(std::size_t index) const;
  QListWidget* jobList() const { return jobs_; }
  QPlainTextEdit* commandList() const { return commands_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void WidenCommandsFor(const QStringList& lines);
  void FillJobList();
  void Render();
  void ShowPage();
  void SavePicture();
  void SaveBytes();
  void NotSaved(const std::string& reason);

  CKestrelDlg& window_;
  std::vector<std::string> jobNames_;
  std::vector<std::uint8_t> bytes_;
  emu::StreamPreview preview_;
  QListWidget* jobs_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QLabel* picture_ = nullptr;
  QCheckBox* fit_ = nullptr;
  QComboBox* pageList_ = nullptr;
  QPlainTextEdit* commands_ = nullptr;
};

}  // namespace kestrel
