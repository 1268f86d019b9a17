#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "support/EmulatorProcess.h"
#include "ui/CKestrelDlg.h"
#include "ui/PrinterStatusDialog.h"
#include "ui/WindowTestSupport.h"

namespace kestrel::test {
namespace {

using PrinterStatusDialogTest = WindowOnSerialLineTest;

// The context menu's "打印机状态..." opens the dialog, which shows what the
// virtual printer on the window's port says: out of paper since its first
// page. The window keeps handling events while it is asked.
TEST_F(PrinterStatusDialogTest, ShowsTheVirtualPrintersFaultFromTheContextMenu) {
  TempDir folder;
  const std::string port = folder.path() + "/printer";
  Emulator emulator({"--pty", "--link", port, "--fault", "paper-end"});
  ASSERT_TRUE(Emulator::WaitFor([&] { return std::filesystem::exists(port); })) << emulator.Output();
  SelectPort(*dialog_, port);

  QString report;
  bool menuHadEntry = false;
  ModalWatcher watcher([&](QWidget* shown) {
    if (auto* menu = qobject_cast<QMenu*>(shown)) {
      for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("打印机状态...")) {
          menuHadEntry = true;
          menu->setActiveAction(action);
        }
      QTest::keyClick(menu, Qt::Key_Return);
      return;
    }
    if (auto* status = qobject_cast<PrinterStatusDialog*>(shown)) {
      for (int waited = 0; waited < 10000 && !status->ReportText().contains(QStringLiteral("型号:")); waited += 50)
        QTest::qWait(50);
      report = status->ReportText();
    }
    shown->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), dialog_->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(dialog_.get(), &event);
  EXPECT_TRUE(menuHadEntry);
  EXPECT_TRUE(report.startsWith(QStringLiteral("故障: 缺纸\n脱机，钱箱关闭，缺纸\n"))) << report.toStdString();
  EXPECT_TRUE(report.contains(QStringLiteral("型号: Kestrel virtual printer"))) << report.toStdString();
  EXPECT_TRUE(report.contains(QStringLiteral("序列号: (no answer in 1000 ms)"))) << report.toStdString();
  FinishSending();
}

}  // namespace
}  // namespace kestrel::test
