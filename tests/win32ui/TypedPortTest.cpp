#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "language/win32/WideText.h"
#include "support/TestSupport.h"
#include "win32ui/PrinterStatusDialog.h"
#include "win32ui/Win32DialogControls.h"
#include "win32ui/WindowTestSupport.h"
#include "window/ControlIds.h"
#include "window/DialogTemplate.h"
#include "window/MainWindowJobs.h"

namespace kestrel::test {
namespace {

// `kestrel-cli.exe emulate --listen 127.0.0.1:0 ARGS`: the virtual printer
// on a TCP port of its own choosing, beside the test, ended when it goes.
class NetworkPrinter {
 public:
  explicit NetworkPrinter(const std::vector<std::string>& args) {
    std::wstring line = L"\"" + win32::Widen(KESTREL_CLI_PATH) + L"\" emulate --listen 127.0.0.1:0 --output-dir \"" +
                        win32::Widen(pages()) + L"\"";
    for (const std::string& arg : args) line += L" " + win32::Widen(arg);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out = CreateFileW(win32::Widen(OutputPath()).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    started_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_);
    CloseHandle(out);
    std::smatch port;
    PumpUntil(
        [&] {
          const std::string said = Output();
          if (!std::regex_search(said, port, std::regex(", port ([0-9]+)"))) return !started_;
          address_ = "tcp:127.0.0.1:" + port[1].str();
          return true;
        },
        20000);
  }
  ~NetworkPrinter() {
    if (!started_) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  NetworkPrinter(const NetworkPrinter&) = delete;
  NetworkPrinter& operator=(const NetworkPrinter&) = delete;

  // "tcp:127.0.0.1:PORT" once it listens; empty if it never did.
  const std::string& Address() const { return address_; }
  std::string Output() const { return ReadText(OutputPath()); }
  std::string pages() const { return folder_.path() + "/pages"; }

 private:
  std::string OutputPath() const { return folder_.path() + "/emulate.out"; }

  TempDir folder_;
  PROCESS_INFORMATION process_{};
  BOOL started_ = FALSE;
  std::string address_;
};

class TypedPortTest : public MainWindowTest {
 protected:
  // The operator types into the port list's edit, over what it showed.
  void TypePort(const std::string& port) {
    HWND typing = GetWindow(Item(kPortList), GW_CHILD);
    ASSERT_NE(typing, nullptr);
    SetFocus(typing);
    SendMessageW(typing, EM_SETSEL, 0, -1);
    SendMessageW(typing, WM_CHAR, VK_BACK, 0);
    for (const wchar_t c : win32::Widen(port)) SendMessageW(typing, WM_CHAR, c, 0);
    PumpMessages(20);
  }

  // What the "Printer status" dialog shows once it has its answers.
  std::string StatusReport() {
    std::string report;
    ModalWatcher watcher([&report](const ShownDialog& shown) {
      win32::Win32DialogControls status(shown.handle);
      const auto answered = [&] {
        report = status.Text(kPrinterStatusText).value_or("");
        report.erase(std::remove(report.begin(), report.end(), '\r'), report.end());
        return report.find("型号:") != std::string::npos || report.find("状态:") != std::string::npos;
      };
      PumpUntil(answered, 15000);
      Click(shown.handle, kPrinterStatusClose);
    });
    win32::ShowPrinterStatus(Window(), dialog_->Controller());
    return report;
  }
};

// A COM port typed into the port list receives a job's bytes whole; Enter
// there ends the typing, not the window, and the list gains no row.
TEST_F(TypedPortTest, ATypedComPortReceivesTheJob) {
  CapturedComPort port;
  ASSERT_TRUE(port.Ready()) << "no pseudo-terminal behind " << port.Name();
  const LRESULT rows = SendMessageW(Item(kPortList), CB_GETCOUNT, 0, 0);
  TypePort(port.Name());
  HWND typing = GetWindow(Item(kPortList), GW_CHILD);
  PostMessageW(typing, WM_KEYDOWN, VK_RETURN, 1);
  MSG message;
  while (dialog_->Handle() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dialog_->HandleQueuedMessage(message);
  ASSERT_NE(dialog_->Handle(), nullptr);
  EXPECT_EQ(SendMessageW(Item(kPortList), CB_GETCOUNT, 0, 0), rows);
  EXPECT_EQ(*dialog_->Controls().Text(kPortList), port.Name());

  ModalWatcher watcher;
  Click(Window(), k60x30Button);
  ASSERT_TRUE(PumpUntil([this] { return !dialog_->Controller().Sending(); }));
  FindJob("60x30")->compose(ReadJobContext(dialog_->Controls(), false));
  const std::vector<std::uint8_t> expected = Composed();
  EXPECT_BYTES(port.Read(expected.size()), expected);
  EXPECT_TRUE(watcher.Seen().empty()) << watcher.Texts().front();
  EXPECT_FALSE(IsWindowEnabled(Item(kPortList))) << "connected, as after a pick";
}

// A typed network address reaches the virtual printer on TCP; one that
// kestrel-cli would refuse is said, and nothing is sent.
TEST_F(TypedPortTest, ATypedNetworkAddressReachesThePrinterAndABadOneIsSaid) {
  NetworkPrinter printer({});
  ASSERT_FALSE(printer.Address().empty()) << printer.Output();
  ModalWatcher watcher;
  TypePort("tcp:127.0.0.1:0");
  Click(Window(), k60x30Button);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, "警告");
  EXPECT_EQ(watcher.Seen()[0].text, "不是有效的网络端口：tcp:127.0.0.1:0\n端口号为 1 到 65535");
  EXPECT_FALSE(dialog_->Controller().Sending());

  TypePort(printer.Address());
  Click(Window(), k60x30Button);
  ASSERT_TRUE(PumpUntil([this] { return !dialog_->Controller().Sending(); }));
  EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists(Utf8Path(printer.pages() + "/page-0001.png")); }))
      << printer.Output();
  EXPECT_EQ(watcher.Seen().size(), 1u);
}

// The "Printer status" dialog on a typed network port: the fault the virtual
// printer plays, with its identity, and a printer that never answers.
TEST_F(TypedPortTest, PrinterStatusShowsAFaultAndNoAnswer) {
  NetworkPrinter faulty({"--fault", "paper-end"});
  ASSERT_FALSE(faulty.Address().empty()) << faulty.Output();
  TypePort(faulty.Address());
  const std::string report = StatusReport();
  EXPECT_EQ(report.rfind("故障: 缺纸\n脱机，钱箱关闭，缺纸\n", 0), 0u) << report;
  EXPECT_NE(report.find("型号: Kestrel virtual printer"), std::string::npos) << report;
  EXPECT_NE(report.find("序列号: (no answer in 1000 ms)"), std::string::npos) << report;

  NetworkPrinter mute({"--mute"});
  ASSERT_FALSE(mute.Address().empty()) << mute.Output();
  Click(Window(), kConnectButton);  // the dialog left the port open
  TypePort(mute.Address());
  const std::string silence = StatusReport();
  EXPECT_EQ(silence.rfind("状态: no answer in 1000 ms\n", 0), 0u) << silence;
  EXPECT_NE(silence.find("型号: (no answer in 1000 ms)"), std::string::npos) << silence;
}

}  // namespace
}  // namespace kestrel::test
