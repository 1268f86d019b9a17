#include <windows.h>
// The system's own profile call of this name is not the one under test.
#undef WriteProfileString

#include <gtest/gtest.h>

#include <filesystem>

#include "customlabel/LabelSettings.h"
#include "customlabel/ProfileFile.h"
#include "support/TestSupport.h"

namespace kestrel::test {
namespace {

std::wstring Wide(const std::string& path) { return Utf8Path(path).wstring(); }

// The temporary files of saves (".Kestrel.ini.XXXXXX") left in a folder.
std::size_t TemporariesIn(const std::string& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(folder)))
    if (entry.path().filename().wstring().front() == L'.') ++count;
  return count;
}

TEST(WindowsSettingsFileTest, DataFolderIsTheShortLocalApplicationDataFolder) {
  const std::string root = DataRootFromEnvironment();
  ASSERT_FALSE(root.empty());
  EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(root)));
  EXPECT_EQ(root.find(' '), std::string::npos) << root;
  wchar_t longForm[MAX_PATH] = {};
  ASSERT_GT(GetLongPathNameW(Wide(root).c_str(), longForm, MAX_PATH), 0u);
  const std::wstring folder = longForm;
  EXPECT_EQ(folder.substr(folder.size() - 13), L"AppData\\Local") << root;
}

TEST(WindowsSettingsFileTest, FolderNamedInAnyLanguageHoldsTheFile) {
  TempDir dir;
  const LabelSettings settings(dir.path() + "/数据 ü");
  EXPECT_EQ(settings.ReadSettingInt(kCustomLabelSection, "CustomLabel_Width"), 384);
  EXPECT_TRUE(settings.WriteSettingInt(kCustomLabelSection, "CustomLabel_Width", 576));
  EXPECT_EQ(settings.ReadSettingInt(kCustomLabelSection, "CustomLabel_Width"), 576);
  EXPECT_TRUE(std::filesystem::is_regular_file(Utf8Path(settings.FilePath)));
  EXPECT_EQ(TemporariesIn(dir.path() + "/数据 ü/Tarnwick"), 0u);
}

// A save never leaves a part of a file, nor its temporary file, behind.
TEST(WindowsSettingsFileTest, FilesThatCannotBeReplacedStayAsTheyAre) {
  TempDir dir;
  const std::string path = dir.path() + "/Kestrel.ini";
  const std::string before = "[CustomLabel]\r\nCustomLabel_X=5\r\n";
  WriteText(path, before);

  // Another program reading it without letting it be replaced.
  HANDLE reader = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_X"), "5");
  EXPECT_FALSE(WriteProfileString(path, "CustomLabel", "CustomLabel_X", "6"));
  CloseHandle(reader);
  EXPECT_EQ(ReadText(path), before);
  EXPECT_EQ(TemporariesIn(dir.path()), 0u);

  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  const FileResult readOnly = WriteProfileString(path, "CustomLabel", "CustomLabel_X", "7");
  EXPECT_EQ(readOnly.problem, FileProblem::NoPermission);
  EXPECT_EQ(readOnly.detail, path + ": the file is read-only");
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadText(path), before);

  EXPECT_TRUE(WriteProfileString(path, "CustomLabel", "CustomLabel_Y", "8"));
  EXPECT_EQ(ReadText(path), before + "CustomLabel_Y=8\r\n");
  EXPECT_EQ(TemporariesIn(dir.path()), 0u);
}

}  // namespace
}  // namespace kestrel::test
