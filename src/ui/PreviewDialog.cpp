#include "ui/PreviewDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <optional>

#include "emulator/PngFile.h"
#include "emulator/StreamPreview.h"
#include "emulator/VirtualPrinter.h"
#include "ui/CKestrelDlg.h"
#include "window/JobPreview.h"

namespace kestrel {
namespace {

// Room beside the text of a list for the cursor's and the frame's margins.
constexpr int kListMargin = 8;

QString Text(PreviewText text) { return QString::fromStdString(PreviewCaption(text)); }

QImage PageImage(const emu::Canvas& canvas) {
  QImage image(canvas.width(), canvas.height(), QImage::Format_Grayscale8);
  for (int y = 0; y < canvas.height(); ++y) {
    const std::uint8_t* dots = canvas.Row(y);
    uchar* grey = image.scanLine(y);
    for (int x = 0; x < canvas.width(); ++x) grey[x] = dots[x] != 0 ? 0 : 255;
  }
  return image;
}

}  // namespace

PreviewDialog::PreviewDialog(CKestrelDlg& window) : QDialog(&window), window_(window) {
  setWindowTitle(Text(PreviewText::kTitle));
  jobs_ = new QListWidget(this);
  scroll_ = new QScrollArea(this);
  picture_ = new QLabel(scroll_);
  picture_->setAlignment(Qt::AlignCenter);
  scroll_->setWidget(picture_);
  scroll_->setWidgetResizable(true);
  scroll_->setMinimumSize(600, 480);
  fit_ = new QCheckBox(Text(PreviewText::kFitToWindow), this);
  pageList_ = new QComboBox(this);
  commands_ = new QPlainTextEdit(this);
  commands_->setReadOnly(true);
  commands_->setLineWrapMode(QPlainTextEdit::NoWrap);
  commands_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  commands_->setMinimumWidth(420);
  auto* savePicture = new QPushButton(Text(PreviewText::kSavePicture), this);
  auto* saveBytes = new QPushButton(Text(PreviewText::kSaveBytes), this);
  auto* close = new QPushButton(Text(PreviewText::kClose), this);

  auto* pageRow = new QHBoxLayout;
  pageRow->addWidget(pageList_);
  pageRow->addWidget(fit_);
  pageRow->addStretch();
  auto* pageColumn = new QVBoxLayout;
  pageColumn->addLayout(pageRow);
  pageColumn->addWidget(scroll_);
  auto* top = new QHBoxLayout;
  top->addWidget(jobs_);
  top->addLayout(pageColumn, 1);
  top->addWidget(commands_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(savePicture);
  buttons->addWidget(saveBytes);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  FillJobList();
  // As wide as the longest job name, so that no name is cut off.
  jobs_->setFixedWidth(jobs_->sizeHintForColumn(0) + 2 * jobs_->frameWidth() +
                       jobs_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kListMargin);
  connect(jobs_, &QListWidget::currentRowChanged, this, &PreviewDialog::Render);
  connect(pageList_, &QComboBox::currentIndexChanged, this, &PreviewDialog::ShowPage);
  connect(fit_, &QCheckBox::toggled, this, &PreviewDialog::ShowPage);
  connect(savePicture, &QPushButton::clicked, this, &PreviewDialog::SavePicture);
  connect(saveBytes, &QPushButton::clicked, this, &PreviewDialog::SaveBytes);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  if (jobs_->count() > 0) jobs_->setCurrentRow(0);
}

void PreviewDialog::FillJobList() {
  for (const PreviewJob& job : PreviewJobs(window_.Controls())) {
    jobNames_.push_back(job.name);
    jobs_->addItem(QString::fromStdString(job.caption));
  }
}

bool PreviewDialog::SelectJob(const std::string& job) {
  const auto found = std::find(jobNames_.begin(), jobNames_.end(), job);
  if (found == jobNames_.end()) return false;
  const int row = static_cast<int>(found - jobNames_.begin());
  if (jobs_->currentRow() == row) Render();
  jobs_->setCurrentRow(row);
  return true;
}

// Composes the job as its button would, with what the window's controls hold
// now, and prints it on the virtual printer. While a job goes out nothing is
// composed, and the job shown stays.
void PreviewDialog::Render() {
  const int row = jobs_->currentRow();
  if (row < 0 || row >= static_cast<int>(jobNames_.size())) return;
  std::optional<std::vector<std::uint8_t>> composed = ComposePreview(window_.Controller(), jobNames_[row]);
  if (!composed) {
    if (window_.Controller().Sending()) window_.ShowMessage(PreviewCaption(PreviewText::kJobGoingOut), "Kestrel");
    return;
  }
  bytes_ = std::move(*composed);
  preview_ = emu::StreamPreview(bytes_, emu::PrintWidthOfJob(jobNames_[row]));

  QStringList lines;
  for (const std::string& line : preview_.Lines()) lines << QString::fromStdString(line);
  commands_->setPlainText(lines.join('\n'));
  WidenCommandsFor(lines);

  const QSignalBlocker quiet(pageList_);
  pageList_->clear();
  for (const std::string& entry : PreviewPageEntries(preview_.PageCount()))
    pageList_->addItem(QString::fromStdString(entry));
  ShowPage();
}

QImage PreviewDialog::page(std::size_t index) const { return PageImage(preview_.PageAt(index)); }

void PreviewDialog::ShowPage() {
  const int index = pageList_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= preview_.PageCount()) {
    picture_->setPixmap(QPixmap());
    return;
  }
  QPixmap pixmap = QPixmap::fromImage(page(static_cast<std::size_t>(index)));
  if (fit_->isChecked())
    pixmap = pixmap.scaled(scroll_->viewport()->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  picture_->setPixmap(pixmap);
}

// The decoded commands' column grows to its longest line (never past half
// the screen, where it scrolls), and does not shrink again, so that the
// dialog keeps its size from one job to the next.
void PreviewDialog::WidenCommandsFor(const QStringList& lines) {
  const QFontMetrics metrics(commands_->font());
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int needed = widest + 2 * commands_->frameWidth() +
                     static_cast<int>(2 * commands_->document()->documentMargin()) +
                     commands_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kListMargin;
  const int limit = screen() != nullptr ? screen()->availableGeometry().width() / 2 : needed;
  commands_->setMinimumWidth(std::max(commands_->minimumWidth(), std::min(needed, limit)));
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (fit_->isChecked()) ShowPage();
}

void PreviewDialog::SavePicture() {
  const int index = pageList_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= preview_.PageCount()) return;
  const QString path =
      QFileDialog::getSaveFileName(this, Text(PreviewText::kSavePictureTitle), QString(), "PNG (*.png)");
  if (path.isEmpty()) return;
  std::string error;
  if (!emu::WritePng(path.toStdString(), preview_.PageAt(static_cast<std::size_t>(index)), &error)) NotSaved(error);
}

void PreviewDialog::SaveBytes() {
  const QString path = QFileDialog::getSaveFileName(this, Text(PreviewText::kSaveBytesTitle), QString(), "(*.bin)");
  if (path.isEmpty()) return;
  if (const FileResult saved = SavePreviewBytes(path.toStdString(), bytes_); !saved) NotSaved(saved.detail);
}

void PreviewDialog::NotSaved(const std::string& reason) {
  window_.ShowMessage(PreviewCaption(PreviewText::kNotSaved) + reason, "Kestrel");
}

}  // namespace kestrel
