#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

// The custom label from a settings file that cannot be made or read is not
// printed as a label of zeros: the CLI says why and fails.
TEST(CustomSettingsCliTest, AnUnreadableSettingsFileIsSaid) {
  const struct {
    const char* name;
    std::function<void(const std::string& root)> make;
    const char* said;  // "" when the label composes
  } rows[] = {
      {"a fresh start", [](const std::string&) {}, ""},
      {"a file where the folder goes", [](const std::string& root) { WriteText(root, "x"); }, "Not a directory"},
      {"a folder in the file's place",
       [](const std::string& root) { std::filesystem::create_directories(root + "/Tarnwick/Kestrel.ini"); },
       "not a regular file"},
      {"a file of 20 MB",
       [](const std::string& root) {
         WriteText(root + "/Tarnwick/Kestrel.ini", "");
         std::filesystem::resize_file(root + "/Tarnwick/Kestrel.ini", 20'000'000);
       },
       "larger than 16 MB"},
      {"UTF-16 cut in half a character",
       [](const std::string& root) { WriteText(root + "/Tarnwick/Kestrel.ini", std::string("\xFF\xFE[\0x", 5)); },
       "UTF-16 text of an odd number of bytes"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string root = dir.path() + "/data";
    row.make(root);
    const CliRun run = RunProgram("env", {"XDG_DATA_HOME=" + root, KESTREL_CLI_PATH, "compose", "custom"});
    if (*row.said == '\0') {
      EXPECT_EQ(run.status, 0) << run.error;
      continue;
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.error.find("kestrel-cli: the custom label's settings cannot be read: "), std::string::npos)
        << run.error;
    EXPECT_NE(run.error.find(row.said), std::string::npos) << run.error;
  }
}

}  // namespace
}  // namespace kestrel::test
