#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <filesystem>
#include <regex>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "support/EmulatorProcess.h"
#include "ui/CKestrelDlg.h"
#include "ui/WindowTestSupport.h"
#include "window/ControlIds.h"

namespace kestrel::test {
namespace {

class TypedPortWindowTest : public WindowOnSerialLineTest {
 protected:
  // The operator types into the port list and ends with Enter.
  void TypePort(const std::string& port) {
    QLineEdit* typing = dialog_->ControlAs<QComboBox>(kPortList)->lineEdit();
    ASSERT_NE(typing, nullptr);
    typing->clear();
    QTest::keyClicks(typing, QString::fromStdString(port));
    QTest::keyClick(typing, Qt::Key_Return);
  }
};

// A pseudo-terminal's path typed into the port list receives a job's bytes,
// whole; the list gains no row and Enter leaves the window open.
TEST_F(TypedPortWindowTest, ATypedDevicePathReceivesTheJob) {
  dialog_->show();
  auto* ports = dialog_->ControlAs<QComboBox>(kPortList);
  const int rows = ports->count();
  TypePort(printer_.slavePath());
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_EQ(ports->count(), rows);
  EXPECT_EQ(ports->currentText().toStdString(), printer_.slavePath());

  Click(k60x30Button);
  FinishSending();
  BeginJob();
  FindJob("60x30")->compose(dialog_->Controller().CurrentJobContext());
  const std::vector<std::uint8_t> expected = Composed();
  EXPECT_BYTES(ReadWhileHandlingEvents(printer_, expected.size()), expected);
  EXPECT_EQ(ports->isEnabled(), false) << "connected, as after a pick";
}

// A typed network address reaches the virtual printer listening on TCP; one
// the CLI would refuse is said in a message box and nothing goes out.
TEST_F(TypedPortWindowTest, ATypedNetworkAddressReachesTheListenerAndABadOneIsSaid) {
  Emulator emulator({"--listen", "127.0.0.1:0"});
  std::smatch found;
  std::string output;
  ASSERT_TRUE(Emulator::WaitFor([&] {
    output = emulator.Output();
    return std::regex_search(output, found, std::regex(", port ([0-9]+)"));
  })) << output;
  const std::string address = "tcp:127.0.0.1:" + found[1].str();

  std::vector<std::string> said;
  ModalWatcher watcher([&](QWidget* shown) {
    if (auto* box = qobject_cast<QMessageBox*>(shown)) said.push_back(box->text().toStdString());
    shown->close();
  });
  TypePort("tcp:127.0.0.1:70000");
  Click(k60x30Button);
  EXPECT_EQ(said, std::vector<std::string>{"不是有效的网络端口：tcp:127.0.0.1:70000\n端口号为 1 到 65535"});
  EXPECT_FALSE(dialog_->Controller().Sending());

  TypePort(address);
  Click(k60x30Button);
  for (int waited = 0; waited < 5000 && !emulator.WaitForPage(1); waited += 50) QTest::qWait(50);
  EXPECT_TRUE(std::filesystem::exists(emulator.PagePath(1))) << emulator.Output();
  EXPECT_EQ(said.size(), 1u);
  FinishSending();
  EXPECT_EQ(emulator.Stop(), 0);
}

}  // namespace
}  // namespace kestrel::test
