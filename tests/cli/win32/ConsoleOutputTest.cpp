#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "language/win32/WideText.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

// A console of the test's own, in the Chinese code page, that kestrel-cli.exe
// writes into; the screen is read back as characters, the way an operator
// sees it.
class ChineseConsole {
 public:
  ChineseConsole() {
    FreeConsole();
    made_ = AllocConsole() && SetConsoleOutputCP(936);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    screen_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          OPEN_EXISTING, 0, nullptr);
  }
  ~ChineseConsole() {
    if (screen_ != INVALID_HANDLE_VALUE) CloseHandle(screen_);
    FreeConsole();
  }
  bool Made() const { return made_ && screen_ != INVALID_HANDLE_VALUE; }

  // Runs kestrel-cli.exe with stdout and stderr on the console; its status.
  int Run(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + win32::Widen(KESTREL_CLI_PATH) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = screen_;
    startup.hStdError = screen_;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
      return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
  }

  // Every character on the screen buffer, line after line.
  std::wstring Screen() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(screen_, &info)) return L"";
    std::wstring text(static_cast<std::size_t>(info.dwSize.X) * info.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen_, text.data(), static_cast<DWORD>(text.size()), COORD{0, 0}, &read);
    text.resize(read);
    return text;
  }

 private:
  bool made_ = false;
  HANDLE screen_ = INVALID_HANDLE_VALUE;
};

TEST(ConsoleOutputTest, ChineseTextReadsBackFromAConsoleOfCodePage936AndStaysUtf8InAFile) {
  {
    ChineseConsole console;
    ASSERT_TRUE(console.Made()) << "no console: error " << GetLastError();
    ASSERT_EQ(console.Run(L"jobs --json"), 0);
    ASSERT_EQ(console.Run(L"compose nosuch"), 2);
    const std::wstring screen = console.Screen();
    EXPECT_NE(screen.find(L"\"zh\": \"图片测试\", \"en\": \"Print Image\""), std::wstring::npos);
    EXPECT_NE(screen.find(L"nosuch"), std::wstring::npos);
    // Bytes handed to a console of code page 936 as they are would show
    // UTF-8's three bytes a character as GBK pairs.
    EXPECT_EQ(screen.find(L"鍥剧墖"), std::wstring::npos);
  }
  const test::CliRun redirected = test::RunCli({"jobs", "--json"});
  EXPECT_NE(redirected.output.find("\"zh\": \"\xE5\x9B\xBE\xE7\x89\x87\xE6\xB5\x8B\xE8\xAF\x95\""), std::string::npos);
}

}  // namespace
}  // namespace kestrel
