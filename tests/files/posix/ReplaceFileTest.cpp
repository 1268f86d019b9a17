#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/ReplaceFile.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

std::size_t EntryCount(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A write that the disk cuts short (here a file size limit, which stops root
// as well) keeps the old file and leaves no temporary one.
TEST(ReplaceFileTest, AWriteCutShortKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.path() + "/label.png";
  WriteText(path, "the old picture");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit small{100, 100};
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult result = ReplaceFileContents(path, std::string(1000, 'x'), Durability::Cached);
    _exit(result.problem == FileProblem::NoSpace && result.detail.starts_with(path + ": ") ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadText(path), "the old picture");
  EXPECT_EQ(EntryCount(dir.path()), 1u);
}

// Through a link the file it names is replaced and keeps its permissions;
// the link stays a link.
TEST(ReplaceFileTest, ALinkStaysALinkAndTheFileKeepsItsMode) {
  TempDir dir;
  const std::string file = dir.path() + "/real.png";
  const std::string link = dir.path() + "/link.png";
  WriteText(file, "old");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  ASSERT_EQ(symlink("real.png", link.c_str()), 0);
  ASSERT_TRUE(ReplaceFileContents(link, "new", Durability::Flushed));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(file), "new");
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(EntryCount(dir.path()), 2u);

  const FileResult missingFolder = ReplaceFileContents(dir.path() + "/none/x.png", "x", Durability::Cached);
  EXPECT_EQ(missingFolder.problem, FileProblem::Failed);
  EXPECT_EQ(missingFolder.detail, dir.path() + "/none/x.png: No such file or directory");
  EXPECT_TRUE(IsTemporaryNameOf(".x.png.aZ09bc", "x.png"));
  EXPECT_FALSE(IsTemporaryNameOf(".x.png.aZ09b", "x.png"));
  EXPECT_FALSE(IsTemporaryNameOf(".y.png.aZ09bc", "x.png"));
  EXPECT_FALSE(IsTemporaryNameOf(".x.png.aZ-9bc", "x.png"));
}

}  // namespace
}  // namespace kestrel
