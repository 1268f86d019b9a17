#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "customlabel/ProfileFile.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(ProfileFileTest, ReadsByTheRulesOfTheFormat) {
  const ReadCase cases[] = {
      {"plain", "[S]\r\nK=5\r\n", "S", "K", "5"},
      {"letter case of names", "[customLABEL]\r\ncustomlabel_width=400\r\n", "CustomLabel", "CustomLabel_Width", "400"},
      {"blanks around names and '='", "  [ S ]  \r\n \t K \t=\t 7 \r\n", "S", "K", "7"},
      {"blanks inside the value kept", "[S]\r\nK= 1 2 \r\n", "S", "K", "1 2"},
      {"line without '=' skipped", "[S]\r\nK\r\nK=3\r\n", "S", "K", "3"},
      {"first of two equal keys", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "1"},
      {"key of another section", "[T]\r\nK=1\r\n[S]\r\nJ=2\r\n", "S", "K", std::nullopt},
      {"key before any section", "K=1\r\n[S]\r\n", "S", "K", std::nullopt},
      {"missing section", "[T]\r\nK=1\r\n", "S", "K", std::nullopt},
      {"bare LF line ends", "[S]\nA=1\nK=9\n", "S", "K", "9"},
      {"last line without line end", "[S]\r\nK=-8", "S", "K", "-8"},
      {"empty value", "[S]\r\nK=\r\n", "S", "K", ""},
      {"quotation marks around the value dropped", "[S]\r\nK=\"8\"\r\n", "S", "K", "8"},
      {"single quotation marks too", "[S]\r\nK= '-8' \r\n", "S", "K", "-8"},
      {"unpaired quotation marks kept", "[S]\r\nK=\"8'\r\n", "S", "K", "\"8'"},
      {"section without closing bracket", "[S\r\nK=4\r\n", "S", "K", "4"},
      {"long value cut", "[S]\r\nK=" + std::string(300, '7') + "\r\n", "S", "K", std::string(259, '7')},
      {"byte order mark of another editor", "\xEF\xBB\xBF[S]\r\nK=5\r\n", "S", "K", "5"},
      {"CR line ends", "[S]\rA=1\rK=9\r", "S", "K", "9"},
      {"CR, LF and CR LF mixed", "[T]\nK=1\r\r\n[S]\rK=2\n", "S", "K", "2"},
  };
  TempDir dir;
  const std::string path = dir.path() + "/p.ini";
  for (const ReadCase& c : cases) {
    WriteText(path, c.text);
    EXPECT_EQ(ReadProfileString(path, c.section, c.key), c.expected) << c.name;
  }
  EXPECT_EQ(ReadProfileString(dir.path() + "/missing.ini", "S", "K"), std::nullopt);
  EXPECT_EQ(ReadProfileString(dir.path(), "S", "K"), std::nullopt) << "a folder in the file's place";
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* key;
  const char* value;
  std::string after;
};

TEST(ProfileFileTest, WritesChangeOnlyWhatTheyMust) {
  const WriteCase cases[] = {
      {"value changed in place, file's spelling of the key kept", "[s]\r\n; note\r\n Key = 1 \r\nB=2\r\n", "KEY", "5",
       "[s]\r\n; note\r\nKey=5\r\nB=2\r\n"},
      {"new key after the section's last entry", "[S]\r\nA=1\r\n\r\n[T]\r\nA=1\r\n", "K", "2",
       "[S]\r\nA=1\r\nK=2\r\n\r\n[T]\r\nA=1\r\n"},
      {"new key in an empty last section", "[T]\r\nA=1\r\n[S]\r\n", "K", "2", "[T]\r\nA=1\r\n[S]\r\nK=2\r\n"},
      {"new section at the end", "[T]\r\nA=1\r\n", "K", "2", "[T]\r\nA=1\r\n[S]\r\nK=2\r\n"},
      {"lines without '=' and foreign lines kept", "junk\r\n[S]\r\nnoequals\r\nK=1\r\n", "K", "3",
       "junk\r\n[S]\r\nnoequals\r\nK=3\r\n"},
      {"LF lines become CR LF", "[S]\nA=1\nK=1", "K", "0", "[S]\r\nA=1\r\nK=0\r\n"},
      {"empty file", "", "K", "-8", "[S]\r\nK=-8\r\n"},
      {"byte order mark kept, no second section", "\xEF\xBB\xBF[S]\r\nK=1\r\n", "K", "2", "\xEF\xBB\xBF[S]\r\nK=2\r\n"},
      {"CR lines become CR LF", "[S]\rA=1\rK=1\r", "K", "0", "[S]\r\nA=1\r\nK=0\r\n"},
  };
  TempDir dir;
  const std::string path = dir.path() + "/p.ini";
  for (const WriteCase& c : cases) {
    WriteText(path, c.before);
    EXPECT_TRUE(WriteProfileString(path, "S", c.key, c.value)) << c.name;
    EXPECT_EQ(ReadText(path), c.after) << c.name;
  }
  const std::string fresh = dir.path() + "/fresh.ini";
  EXPECT_TRUE(WriteProfileString(fresh, "S", "K", "1"));
  EXPECT_EQ(ReadText(fresh), "[S]\r\nK=1\r\n");
}

TEST(ProfileFileTest, RefusesWhatItCannotWriteSafely) {
  TempDir dir;
  const std::string path = dir.path() + "/p.ini";
  WriteText(path, "[S]\r\nK=1\r\n");
  EXPECT_FALSE(WriteProfileString(path, "S", "K", "1\r\nX=2"));
  EXPECT_FALSE(WriteProfileString(path, "S", "A=B", "1"));
  EXPECT_FALSE(WriteProfileString(path, "S", "[T]", "1"));
  EXPECT_FALSE(WriteProfileString(path, "S", " ", "1"));
  EXPECT_FALSE(WriteProfileString(path, "S]", "K", "1"));
  EXPECT_EQ(ReadText(path), "[S]\r\nK=1\r\n");
  EXPECT_FALSE(WriteProfileString(dir.path() + "/no/such/folder/p.ini", "S", "K", "1"));

  // A named pipe in the file's place neither blocks a read nor gets replaced.
  const std::string pipe = dir.path() + "/pipe.ini";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EQ(ReadProfileString(pipe, "S", "K"), std::nullopt);
  EXPECT_FALSE(WriteProfileString(pipe, "S", "K", "1"));
}

TEST(ProfileFileTest, ForeignAndHugeFilesStayBoundedAndIntact) {
  TempDir dir;
  const std::string path = dir.path() + "/p.ini";

  std::mt19937 random(7);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  WriteText(path, noise);
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_X"), std::nullopt);
  EXPECT_TRUE(WriteProfileString(path, "CustomLabel", "CustomLabel_X", "5"));
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_X"), "5");

  // Ten megabytes of entries ahead of the section, and one line of ten
  // megabytes without a line end.
  std::string big;
  big.reserve(10'500'000);
  big += "[Other]\r\n";
  while (big.size() < 10'000'000) big += "Filler_Key=0123456789\r\n";
  big += "[CustomLabel]\r\nCustomLabel_Y=16\r\n";
  WriteText(path, big);
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_Y"), "16");
  EXPECT_TRUE(WriteProfileString(path, "CustomLabel", "CustomLabel_Y", "17"));
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_Y"), "17");
  EXPECT_EQ(std::filesystem::file_size(path), big.size());

  // Sparse files: ten megabytes of zero bytes with no line end, and a file
  // beyond the size limit, which is read no further and never rewritten.
  WriteText(path, "");
  std::filesystem::resize_file(path, 10'000'000);
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_Y"), std::nullopt);
  std::filesystem::resize_file(path, kProfileSizeLimit + 10);
  std::ofstream(path, std::ios::binary | std::ios::app) << "\r\n[CustomLabel]\r\nCustomLabel_Y=1\r\n";
  const auto hugeSize = std::filesystem::file_size(path);
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_Y"), std::nullopt);
  EXPECT_FALSE(WriteProfileString(path, "CustomLabel", "CustomLabel_Y", "2"));
  EXPECT_EQ(std::filesystem::file_size(path), hugeSize);
}

TEST(ProfileFileTest, SavesThroughSymbolicLinksToTheFileTheyPointTo) {
  namespace fs = std::filesystem;
  TempDir dir;
  const std::string target = dir.path() + "/kept/Kestrel.ini";
  WriteText(target, "[S]\r\nK=1\r\n");
  // A chain of two links, the first one relative.
  fs::create_symlink("kept/Kestrel.ini", dir.path() + "/near.ini");
  fs::create_symlink(dir.path() + "/near.ini", dir.path() + "/far.ini");
  EXPECT_TRUE(WriteProfileString(dir.path() + "/far.ini", "S", "K", "2"));
  EXPECT_EQ(ReadText(target), "[S]\r\nK=2\r\n");
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/far.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/near.ini"));

  // A link to a file not made yet makes it there; a loop of links is refused.
  fs::create_symlink("kept/new.ini", dir.path() + "/dangling.ini");
  EXPECT_TRUE(WriteProfileString(dir.path() + "/dangling.ini", "S", "K", "3"));
  EXPECT_EQ(ReadText(dir.path() + "/kept/new.ini"), "[S]\r\nK=3\r\n");
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/dangling.ini"));
  fs::create_symlink("loop.ini", dir.path() + "/loop.ini");
  EXPECT_FALSE(WriteProfileString(dir.path() + "/loop.ini", "S", "K", "4"));
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/loop.ini"));
}

TEST(ProfileFileTest, TwoProgramsSavingAtOnceKeepEveryKey) {
  TempDir dir;
  const std::string path = dir.path() + "/Kestrel.ini";
  constexpr int kSaves = 150;
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      bool all = true;
      for (int i = 0; i < kSaves; ++i)
        all = WriteProfileString(path, "CustomLabel", "W" + std::to_string(w) + "_" + std::to_string(i), "1") && all;
      _exit(all ? 0 : 1);
    }
  }
  for (pid_t writer : writers) {
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  int missing = 0;
  for (int w = 0; w < 2; ++w)
    for (int i = 0; i < kSaves; ++i)
      missing += !ReadProfileString(path, "CustomLabel", "W" + std::to_string(w) + "_" + std::to_string(i));
  EXPECT_EQ(missing, 0) << "keys undone by the other program's save";
}

TEST(ProfileFileTest, ASaveClearsOnlyTheTemporaryFilesOfItsOwnFile) {
  TempDir dir;
  const std::string path = dir.path() + "/Kestrel.ini";
  const std::vector<std::string> stale = {".Kestrel.ini.a1B2c3", ".Kestrel.ini.ZZZZZZ"};
  const std::vector<std::string> foreign = {".Kestrel.ini.a1B2c", ".Kestrel.ini.a1B2c3d", ".Kestrel.ini.a1B2-3",
                                            "Kestrel.ini.a1B2c3", ".Other.ini.a1B2c3",    ".Kestrel.ini.lock",
                                            ".kestrel.ini.a1B2c3"};
  for (const auto& name : stale) WriteText(dir.path() + "/" + name, "left by a killed save");
  for (const auto& name : foreign) WriteText(dir.path() + "/" + name, "not ours");
  EXPECT_TRUE(WriteProfileString(path, "S", "K", "1"));
  for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(dir.path() + "/" + name)) << name;
  for (const auto& name : foreign) EXPECT_EQ(ReadText(dir.path() + "/" + name), "not ours") << name;
}

std::vector<ProfileEntry> Layout(const std::string& value) {
  std::vector<ProfileEntry> entries;
  for (int i = 0; i < 33; ++i) entries.push_back({"Key_" + std::to_string(i), value});
  return entries;
}

std::string LayoutText(const std::string& value) {
  std::string text = "[CustomLabel]\r\n";
  for (int i = 0; i < 33; ++i) text += "Key_" + std::to_string(i) + "=" + value + "\r\n";
  return text;
}

TEST(ProfileFileTest, KilledWriterLeavesTheOldFileOrTheNewOne) {
  TempDir dir;
  const std::string path = dir.path() + "/Kestrel.ini";
  const std::string first(200, '1');
  const std::string second(200, '2');
  ASSERT_TRUE(WriteProfileStrings(path, "CustomLabel", Layout(first)));
  for (int round = 0; round < 5; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) WriteProfileStrings(path, "CustomLabel", Layout(i % 2 ? first : second));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 15 * round));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::string text = ReadText(path);
    EXPECT_TRUE(text == LayoutText(first) || text == LayoutText(second)) << "round " << round << ": " << text.size();
  }
  // The next save clears what the killed ones left: the folder holds the
  // file and its lock file only.
  ASSERT_TRUE(WriteProfileStrings(path, "CustomLabel", Layout(first)));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Kestrel.ini", "Kestrel.ini.lock"}));
}

}  // namespace
}  // namespace kestrel
