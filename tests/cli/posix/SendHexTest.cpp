#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "link/LinkTestSupport.h"
#include "support/CliRunner.h"

namespace kestrel::test {
namespace {

// Runs `kestrel-cli send ARGS` in the C locale, so its messages are English.
CliRun RunSend(std::vector<std::string> args) {
  args.insert(args.begin(), "send");
  return RunCli(args);
}

TEST(SendHexTest, HexBytesAndCopiesGoOutAsTheConsoleSendsThem) {
  PtyPair pty;
  CliRun result = RunSend({"--port", pty.slavePath(), "--hex", "--count", "3", "--text", "1b 40 0a"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(9), "1B 40 0A 1B 40 0A 1B 40 0A");

  result = RunSend({"--port", pty.slavePath(), "--count", "0", "--text", "1B4"});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(4, std::chrono::milliseconds(300)), "31 42 34");
}

TEST(SendHexTest, FileContentIsSentAsItStands) {
  PtyPair pty;
  TempDir dir;
  const std::string hexFile = dir.path() + "/bytes.txt";
  WriteText(hexFile, "1B 53\r\n1b 40\n");
  CliRun result = RunSend({"--port", pty.slavePath(), "--hex", "--file", hexFile});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(4), "1B 53 1B 40");

  const std::string textFile = dir.path() + "/text.txt";
  WriteText(textFile, "AB\r\nC\n");
  result = RunSend({"--port", pty.slavePath(), "--count", "2", "--file", textFile});
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_BYTES(pty.Read(12), "41 42 0D 0A 43 0A 41 42 0D 0A 43 0A");
}

TEST(SendHexTest, BadContentIsRefusedBeforeThePortIsOpened) {
  PtyPair pty;
  const struct {
    std::vector<std::string> args;
    const char* message;
  } rows[] = {
      {{"--hex", "--text", "ZZ"}, "send: 'ZZ' is not hexadecimal"},
      {{"--hex", "--text", "1B\r\n4G 0a"}, "send: '4G' is not hexadecimal"},
      {{"--text", std::string(24'575, 'x')},
       "send: the text is 24575 bytes in the printer's code page; the console takes 24574 at most"},
      {{"--lang", "zh", "--text", std::string(24'573, 'x') + "\u4e2d"},
       "send: the text is 24575 bytes in the printer's code page; the console takes 24574 at most"},
      {{"--file", "/nonexistent/bytes.txt"}, "/nonexistent/bytes.txt"},
      {{"--text", "A", "--file", "/dev/null"}, "either --text or --file"},
      {{"--count", "2"}, "either --text or --file"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = {"--port", pty.slavePath()};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliRun result = RunSend(args);
    EXPECT_EQ(result.status, 2) << row.message;
    EXPECT_NE(result.error.find(row.message), std::string::npos) << result.error;
  }
  EXPECT_TRUE(pty.Read(1, std::chrono::milliseconds(200)).empty());

  // The last accepted length goes out whole; it passes the pty's buffer, so
  // it is read while the command runs.
  std::vector<std::uint8_t> arrived;
  std::thread reader([&] { arrived = pty.Read(24'574, std::chrono::seconds(10)); });
  const CliRun result = RunSend({"--port", pty.slavePath(), "--text", std::string(24'574, 'x')});
  reader.join();
  EXPECT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(arrived.size(), 24'574u);
}

}  // namespace
}  // namespace kestrel::test
