#include <QComboBox>
#include <QTest>
#include <filesystem>

#include "emulator/PngFile.h"
#include "support/EmulatorProcess.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"
#include "window/ControlIds.h"

namespace kestrel::test {
namespace {

using EmulatorWindowTest = WindowOnSerialLineTest;

// The window's job buttons, pressed offscreen, print on kestrel-cli's virtual
// printer at the other end of a pseudo-terminal.
TEST_F(EmulatorWindowTest, JobButtonsPrintOnTheVirtualPrinter) {
  TempDir folder;
  const std::string port = folder.path() + "/printer";
  Emulator emulator({"--pty", "--link", port});
  ASSERT_TRUE(Emulator::WaitFor([&] { return std::filesystem::exists(port); })) << emulator.Output();
  SelectPort(*dialog_, port);
  dialog_->ControlAs<QComboBox>(kBaudList)->setCurrentText(QStringLiteral("115200"));
  struct Press {
    int button;
    int width, height;
  };
  // 60x30 (its frame spans the whole 480-dot label), 80x60, QR code test
  const Press presses[] = {{k60x30Button, 480, 224}, {k80x60Button, 576, 464}, {kQrCodeButton, 448, 368}};
  int number = 0;
  for (const Press& press : presses) {
    Click(press.button);
    ++number;
    for (int waited = 0; waited < 5000 && !emulator.WaitForPage(number); waited += 50) QTest::qWait(50);
    emu::Canvas page;
    std::string error;
    ASSERT_TRUE(emu::ReadPng(emulator.PagePath(number), &page, &error)) << error << "\n" << emulator.Output();
    EXPECT_EQ(page.width(), press.width) << press.button;
    EXPECT_EQ(page.height(), press.height) << press.button;
    EXPECT_FALSE(page.blank()) << press.button;
  }
  EXPECT_EQ(emulator.Stop(), 0);
}

}  // namespace
}  // namespace kestrel::test
