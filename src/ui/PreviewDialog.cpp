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
#include <fstream>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "emulator/CommandWords.h"
#include "emulator/PngFile.h"
#include "language/TranslationMap.h"
#include "ui/CKestrelDlg.h"
#include "window/JobButtons.h"

namespace kestrel {
namespace {

// Room beside the text of a list for the cursor's and the frame's margins.
constexpr int kListMargin = 8;

// The preview's own texts, in the window's language. They are not part of the
// window's translation table, which holds the window's own texts only.
QString Text(const char* chinese, const char* english) {
  return QString::fromUtf8(InterfaceIsChinese() ? chinese : english);
}

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
  setWindowTitle(Text("预览", "Preview"));
  jobs_ = new QListWidget(this);
  scroll_ = new QScrollArea(this);
  picture_ = new QLabel(scroll_);
  picture_->setAlignment(Qt::AlignCenter);
  scroll_->setWidget(picture_);
  scroll_->setWidgetResizable(true);
  scroll_->setMinimumSize(600, 480);
  fit_ = new QCheckBox(Text("适合窗口", "Fit to window"), this);
  pageList_ = new QComboBox(this);
  commands_ = new QPlainTextEdit(this);
  commands_->setReadOnly(true);
  commands_->setLineWrapMode(QPlainTextEdit::NoWrap);
  commands_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  commands_->setMinimumWidth(420);
  auto* savePicture = new QPushButton(Text("保存图片...", "Save PNG..."), this);
  auto* saveBytes = new QPushButton(Text("保存数据...", "Save bytes..."), this);
  auto* close = new QPushButton(Text("关闭", "Close"), this);

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

// One row a job, named by the caption of its button; two buttons of one job
// give one row.
void PreviewDialog::FillJobList() {
  for (const JobButton& button : JobButtons()) {
    if (std::find(jobNames_.begin(), jobNames_.end(), button.job) != jobNames_.end()) continue;
    auto* control = qobject_cast<QAbstractButton*>(window_.Control(button.id));
    QString caption = control != nullptr ? control->text().remove('&') : QString();
    if (caption.isEmpty()) caption = QString::fromUtf8(button.job);
    jobNames_.push_back(button.job);
    jobs_->addItem(caption);
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
// now, and prints it on the virtual printer.
void PreviewDialog::Render() {
  const int row = jobs_->currentRow();
  if (row < 0 || row >= static_cast<int>(jobNames_.size())) return;
  const NamedJob* job = FindJob(jobNames_[row]);
  if (job == nullptr) return;
  BeginJob();
  job->compose(window_.Controller().CurrentJobContext());
  const auto composed = ComposedBytes();
  bytes_.assign(composed.begin(), composed.end());
  const emu::Rendering rendering = emu::RenderStream(bytes_, emu::PrintWidthOfJob(job->name), true);

  QStringList lines;
  for (const emu::Command& command : rendering.commands)
    lines << QString::fromStdString(emu::DumpLine(bytes_, command));
  for (const emu::Note& note : rendering.notes) lines << QString::fromStdString("!! " + note.text);
  commands_->setPlainText(lines.join('\n'));
  WidenCommandsFor(lines);

  pages_.clear();
  for (const emu::Page& page : rendering.pages)
    for (int copy = 0; copy < page.copies; ++copy) pages_.push_back(PageImage(page.canvas));
  const QSignalBlocker quiet(pageList_);
  pageList_->clear();
  for (std::size_t i = 0; i < pages_.size(); ++i)
    pageList_->addItem(Text("第 %1 页，共 %2 页", "Page %1 of %2").arg(i + 1).arg(pages_.size()));
  if (pages_.empty()) pageList_->addItem(Text("没有打印页", "No page printed"));
  ShowPage();
}

void PreviewDialog::ShowPage() {
  const int index = pageList_->currentIndex();
  if (index < 0 || index >= static_cast<int>(pages_.size())) {
    picture_->setPixmap(QPixmap());
    return;
  }
  QPixmap pixmap = QPixmap::fromImage(pages_[index]);
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
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  const QString path = QFileDialog::getSaveFileName(this, Text("保存图片", "Save PNG"), QString(), "PNG (*.png)");
  if (path.isEmpty()) return;
  if (!pages_[index].convertToFormat(QImage::Format_Mono).save(path, "PNG")) NotSaved(path);
}

void PreviewDialog::SaveBytes() {
  const QString path = QFileDialog::getSaveFileName(this, Text("保存数据", "Save bytes"), QString(), "(*.bin)");
  if (path.isEmpty()) return;
  std::ofstream file(path.toStdString(), std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
  file.close();
  if (!file) NotSaved(path);
}

void PreviewDialog::NotSaved(const QString& path) {
  window_.ShowMessage((Text("无法保存：", "Could not save: ") + path).toStdString(), "Kestrel");
}

}  // namespace kestrel
