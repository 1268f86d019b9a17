#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

// render and preview never write into, replace or remove what is not a
// picture of theirs: every node here is made by the test in its own folder.
namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

// What a path is, in enough detail to tell whether anything touched it.
std::string Describe(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return "missing";
  std::string text = std::to_string(info.st_mode) + " " + std::to_string(info.st_rdev);
  if (S_ISREG(info.st_mode)) text += " " + ReadText(path);
  if (S_ISDIR(info.st_mode)) text += " " + std::to_string(std::distance(fs::directory_iterator(path), {}));
  return text;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct Target {
  const char* name;
  // Makes the target in the folder; false when this system cannot (a device
  // node needs root).
  std::function<bool(const std::string& folder, const std::string& path)> make;
  bool asOrdinaryUser = false;
};

// A device node with the numbers of a system device; root only.
bool MakeDevice(const std::string& path, unsigned minor) {
  return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

TEST(PictureTargetsTest, WhatIsNoPictureIsRefusedAndLeftAsItWas) {
  const Target targets[] = {
      {"a device node (the numbers of /dev/null)", [](auto&, auto& path) { return MakeDevice(path, 3); }},
      {"a node like /dev/full", [](auto&, auto& path) { return MakeDevice(path, 7); }},
      {"a named pipe", [](auto&, auto& path) { return mkfifo(path.c_str(), 0666) == 0; }},
      {"a folder", [](auto&, auto& path) { return fs::create_directory(path); }},
      {"a link to a named pipe",
       [](auto& folder, auto& path) {
         return mkfifo((folder + "/fifo").c_str(), 0666) == 0 && symlink("fifo", path.c_str()) == 0;
       }},
      // Permissions do not stop root, so the program runs as nobody here.
      {"an earlier picture in a folder that may not be written",
       [](auto& folder, auto& path) {
         WriteText(path, "an earlier picture");
         return chmod(folder.c_str(), 0555) == 0;
       },
       true},
  };
  const std::vector<std::vector<std::string>> commands = {{"render", "LABEL"}, {"preview", "60x30", "--copies", "2"}};
  for (const Target& target : targets) {
    for (const auto& command : commands) {
      SCOPED_TRACE(std::string(target.name) + ", " + command[0]);
      TempDir dir;
      const std::string folder = dir.path() + "/out";
      fs::create_directory(folder);
      chmod(dir.path().c_str(), 0755);
      const std::string label = dir.path() + "/label.bin";
      WriteText(label, "Hello\n");
      const std::string path = folder + "/label.png";
      if (!target.make(folder, path)) {
        ASSERT_NE(geteuid(), 0u) << "only device nodes are skipped, and only without root";
        continue;  // mknod needs root
      }
      const std::vector<std::string> before = Entries(folder);
      const std::string described = Describe(path);
      std::vector<std::string> args = command;
      if (args[1] == "LABEL") args[1] = label;
      args.insert(args.end(), {"--output", path});
      CliRun run;
      if (target.asOrdinaryUser && geteuid() == 0) {
        // With a home of its own: root's is closed to nobody.
        args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", "env", "HOME=" + dir.path(),
                                   "XDG_CONFIG_HOME=" + dir.path(), KESTREL_CLI_PATH});
        run = RunProgram("setpriv", args);
      } else {
        run = RunCli(args);
      }
      EXPECT_EQ(run.status, 1) << run.error;
      EXPECT_NE(run.error.find(folder + "/label"), std::string::npos) << run.error;
      EXPECT_EQ(run.output, "");
      EXPECT_EQ(Describe(path), described);
      EXPECT_EQ(Entries(folder), before) << "no temporary file and no NAME-1.png is left";
      chmod(folder.c_str(), 0755);
    }
  }
}

}  // namespace
}  // namespace kestrel::test
