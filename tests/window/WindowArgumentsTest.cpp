#include <gtest/gtest.h>

#include "version/Version.h"
#include "window/WindowArguments.h"

namespace kestrel {
namespace {

TEST(WindowArgumentsTest, HelpAndVersionAnswerWithoutAWindowQtOptionsPassAndTheRestIsRefused) {
  struct Row {
    std::vector<std::string> args;
    bool opens;
    int status;
    const char* error;  // the start of stderr
  };
  const Row rows[] = {
      {{}, true, 0, ""},
      {{"-platform", "offscreen"}, true, 0, ""},
      {{"--style=Fusion", "-reverse"}, true, 0, ""},
      {{"--help"}, false, 0, ""},
      {{"-style", "Fusion", "-h"}, false, 0, ""},
      {{"-V"}, false, 0, ""},
      {{"--verison"}, false, 2, "kestrel: unknown argument '--verison'\n"},
      {{"label.bin"}, false, 2, "kestrel: unknown argument 'label.bin'\n"},
      {{"-platform"}, false, 2, "kestrel: -platform needs a value\n"},
  };
  for (const Row& row : rows) {
    const WindowStart start = ReadWindowArguments(row.args);
    const std::string line = row.args.empty() ? "(none)" : row.args.front();
    EXPECT_EQ(start.openWindow, row.opens) << line;
    EXPECT_EQ(start.status, row.status) << line;
    EXPECT_EQ(start.error.substr(0, std::string(row.error).size()), row.error) << line;
    if (row.status == 2) {
      EXPECT_TRUE(start.output.empty()) << line;
    }
  }
  EXPECT_EQ(ReadWindowArguments({"--version"}).output, "kestrel " + GetVersionText() + "\n");
  EXPECT_EQ(ReadWindowArguments({"--help"}).output.rfind("usage: kestrel ", 0), 0u);
}

}  // namespace
}  // namespace kestrel
