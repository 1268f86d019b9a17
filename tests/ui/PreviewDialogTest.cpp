#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

#include "ui/CKestrelDlg.h"
#include "ui/PreviewDialog.h"
#include "ui/WindowTestSupport.h"
#include "window/ContextMenu.h"
#include "window/ControlIds.h"

namespace kestrel::test {
namespace {

using PreviewDialogTest = WindowOnSerialLineTest;

// F9 opens the preview over the window: a row for every job, named by the
// caption of its button, the first job rendered, and no port opened.
TEST_F(PreviewDialogTest, F9OpensThePreviewOfEveryJob) {
  int rows = 0;
  QString first;
  ModalWatcher watcher([&](QWidget* shown) {
    if (auto* preview = qobject_cast<PreviewDialog*>(shown)) {
      rows = preview->jobList()->count();
      first = preview->jobList()->item(0)->text();
    }
    shown->close();
  });
  QTest::keyClick(dialog_.get(), Qt::Key_F9);
  EXPECT_EQ(watcher.Seen(), 1);
  EXPECT_EQ(rows, 36);  // a row a job; two buttons of one job give one row
  EXPECT_FALSE(first.isEmpty());
  const ContextMenuEntry* entry = MenuEntryForKey(9);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(MenuEntryText(*entry), "预览...");
  EXPECT_FALSE(dialog_->Controller().Link().Connected());
}

// The preview reads the window's controls at each rendering: another print
// direction turns the page, more copies print more pages. (The 60 x 20 label
// prints no time, so two renderings can be compared.)
TEST_F(PreviewDialogTest, RendersWithTheWindowsSettings) {
  PreviewDialog preview(*dialog_);
  ASSERT_TRUE(preview.SelectJob("60x20"));
  ASSERT_EQ(preview.pageCount(), 1u);
  const QImage upright = preview.page(0);
  EXPECT_EQ(upright.size(), QSize(448, 104));
  EXPECT_TRUE(preview.commandList()->toPlainText().startsWith("00000000  1B 40"));

  auto* direction = dialog_->ControlAs<QComboBox>(kDirectionList);
  direction->setCurrentIndex(2);  // right to left, picked as the operator picks it
  emit direction->activated(2);
  ASSERT_TRUE(preview.SelectJob("60x20"));
  ASSERT_EQ(preview.pageCount(), 1u);
  EXPECT_EQ(preview.page(0), upright.mirrored(true, true));  // turned half a circle

  dialog_->ControlAs<QLineEdit>(kCopiesEdit)->setText(QStringLiteral("3"));
  ASSERT_TRUE(preview.SelectJob("60x20"));
  EXPECT_EQ(preview.pageCount(), 3u);
  EXPECT_NE(preview.commandList()->toPlainText().indexOf("US U 8  copies: copies 3"), -1);
  EXPECT_FALSE(dialog_->Controller().Link().Connected());
  direction->setCurrentIndex(0);  // JobSettings outlive the window
  emit direction->activated(0);
}

}  // namespace
}  // namespace kestrel::test

namespace kestrel::test {
namespace {

// Every job's name shows whole in the job list, and every decoded command of
// a long job whole in the command list.
TEST_F(PreviewDialogTest, JobNamesAndDecodedCommandsAreNotCutOff) {
  PreviewDialog preview(*dialog_);
  ASSERT_TRUE(preview.SelectJob("80x60"));
  preview.show();
  QApplication::processEvents();
  QListWidget* jobs = preview.jobList();
  for (int row = 0; row < jobs->count(); ++row) {
    const int width = jobs->fontMetrics().horizontalAdvance(jobs->item(row)->text());
    EXPECT_LE(width, jobs->viewport()->width()) << jobs->item(row)->text().toStdString();
  }
  QPlainTextEdit* commands = preview.commandList();
  const QFontMetrics metrics(commands->font());
  int widest = 0;
  for (const QString& line : commands->toPlainText().split('\n'))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  // Up to half the screen, past which the list scrolls.
  EXPECT_GE(commands->viewport()->width(), std::min(widest, preview.screen()->availableGeometry().width() / 2 - 60));
}

}  // namespace
}  // namespace kestrel::test
