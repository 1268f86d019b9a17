#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "support/TestSupport.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"
#include "window/ControlIds.h"
#include "window/JobButtons.h"

namespace kestrel::test {
namespace {

using JobButtonsTest = WindowOnSerialLineTest;

// Pressed in the window, each button's job reaches the printer whole, built
// from what the window's controls hold, just as `kestrel-cli compose` builds
// it from the same values; no button needs Connect first.
TEST_F(JobButtonsTest, EveryJobButtonPutsItsJobOnTheWire) {
  SelectPrinterLine();
  dialog_->ControlAs<QLineEdit>(kCopiesEdit)->setText(QStringLiteral("3"));     // copies
  dialog_->ControlAs<QLineEdit>(kBackfeedEdit)->setText(QStringLiteral("-1"));  // backfeed
  QStringList messages;
  ModalWatcher watcher([&messages](QWidget* shown) {
    if (auto* box = qobject_cast<QMessageBox*>(shown)) messages << box->text();
    shown->close();
  });

  for (const JobButton& button : JobButtons()) {
    SCOPED_TRACE(std::string(button.job) + " on button " + std::to_string(button.id));
    const NamedJob* job = FindJob(button.job);
    ASSERT_NE(job, nullptr);
    auto* control = dialog_->ControlAs<QAbstractButton>(button.id);
    ASSERT_NE(control, nullptr);
    BeginJob();
    job->compose(dialog_->Controller().CurrentJobContext());
    const auto expected = Composed();
    ASSERT_FALSE(expected.empty());
    control->click();
    auto wire = ReadWhileHandlingEvents(printer_, expected.size());
    FinishSending();
    printer_.ReadAvailable(wire, 20);  // nothing more follows
    EXPECT_BYTES(wire, expected);
    EXPECT_TRUE(dialog_->Controller().Link().Connected());
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

}  // namespace
}  // namespace kestrel::test
