#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

#include "customlabel/LabelSettings.h"
#include "support/TestSupport.h"
#include "window/CustomLabelEditor.h"

namespace kestrel {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

const char kFreshFile[] =
    "[CustomLabel]\r\nCustomLabel_X=0\r\nCustomLabel_Y=0\r\nCustomLabel_Width=384\r\nCustomLabel_Height=320\r\n"
    "IsPrint_Text1=1\r\nCustom_X_Text1=0\r\nCustom_Y_Text1=0\r\nIsPrint_Text2=1\r\nCustom_X_Text2=0\r\n"
    "Custom_Y_Text2=52\r\nIsPrint_Barcode1=1\r\nCustom_X_Barcode1=120\r\nCustom_Y_Barcode1=24\r\n"
    "IsPrint_Barcode2=0\r\nCustom_X_Barcode2=0\r\nCustom_Y_Barcode2=0\r\nIsPrint_Qrcode1=1\r\n"
    "Custom_X_Qrcode1=120\r\nCustom_Y_Qrcode1=120\r\nIsPrint_Qrcode2=0\r\nCustom_X_Qrcode2=0\r\n"
    "Custom_Y_Qrcode2=0\r\nIsPrint_Image1=1\r\nCustom_X_Image1=230\r\nCustom_Y_Image1=200\r\n"
    "IsPrint_Image2=0\r\nCustom_X_Image2=0\r\nCustom_Y_Image2=0\r\nIsPrint_Rect=1\r\nCustom_X_Rect=0\r\n"
    "Custom_Y_Rect=0\r\nCustom_dX_Rect=384\r\nCustom_dY_Rect=296\r\n";

TEST(LabelSettingsTest, FirstUseMakesFoldersAndTheDefaultFile) {
  TempDir dir;
  const std::string root = dir.path() + "/home/.local/share";
  LabelSettings settings(root);
  EXPECT_EQ(settings.FilePath, root + "/Tarnwick/Kestrel.ini");
  EXPECT_EQ(ReadText(settings.FilePath), kFreshFile);
  EXPECT_EQ(settings.ReadSettingInt("CustomLabel", "Custom_dY_Rect"), 296);

  // A second start leaves the file alone, also after a hand edit.
  WriteText(settings.FilePath, "[CustomLabel]\r\nCustomLabel_X=7\r\n");
  LabelSettings again(root);
  EXPECT_EQ(ReadText(again.FilePath), "[CustomLabel]\r\nCustomLabel_X=7\r\n");
}

TEST(LabelSettingsTest, FileWithOneKeyReadsZeroForTheRestAndGainsNothing) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() + "/Tarnwick");
  const std::string path = dir.path() + "/Tarnwick/Kestrel.ini";
  WriteText(path, "[CustomLabel]\r\nCustomLabel_Width=400\r\n");
  LabelSettings settings(dir.path());
  std::istringstream keys(kFreshFile);
  std::string line;
  std::getline(keys, line);
  while (std::getline(keys, line, '=') && keys.ignore(100, '\n'))
    EXPECT_EQ(settings.ReadSettingInt("CustomLabel", line), line == "CustomLabel_Width" ? 400 : 0) << line;
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_Width", 8), "50.00");
  EXPECT_EQ(ReadText(path), "[CustomLabel]\r\nCustomLabel_Width=400\r\n");
}

TEST(LabelSettingsTest, ReadsFollowTheFileAtEveryCall) {
  TempDir dir;
  LabelSettings settings(dir.path());
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_Width", 8), "48.00");
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_Height", 8), "40.00");
  EXPECT_EQ(settings.ReadSettingText("Custom_Y_Text2", 1), "52");

  WriteText(settings.FilePath,
            "[customlabel]\r\n customlabel_width = 100 \r\nCUSTOM_Y_TEXT2=-8\r\nCustom_X_Rect=12abc\r\n"
            "Custom_Y_Rect=abc\r\nno equals sign here\r\n");
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_Width", 8), "12.50");
  EXPECT_EQ(settings.ReadSettingInt("CustomLabel", "Custom_Y_Text2"), -8);
  EXPECT_EQ(settings.ReadSettingText("Custom_Y_Text2", 1), "-8");
  EXPECT_EQ(settings.ReadSettingInt("CustomLabel", "Custom_X_Rect"), 12);
  EXPECT_EQ(settings.ReadSettingInt("CustomLabel", "Custom_Y_Rect"), 0);

  std::filesystem::remove(settings.FilePath);
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_Width", 8), "0.00");
  EXPECT_EQ(settings.ReadSettingText("CustomLabel_X", 1), "0");
}

TEST(LabelSettingsTest, StoreOperationsConvertTheControlsText) {
  TempDir dir;
  LabelSettings settings(dir.path());
  const auto stored = [&](const char* key) { return settings.ReadSettingInt("CustomLabel", key); };
  const std::string fifty = "50", fractional = "48.9", letters = "abc", negative = "-8", huge = "999999999";

  settings.StoreEditScaled(&fifty, "CustomLabel_Width", 8);
  EXPECT_EQ(stored("CustomLabel_Width"), 400);
  settings.StoreEditScaled(&fractional, "CustomLabel_Width", 8);
  EXPECT_EQ(stored("CustomLabel_Width"), 384);
  settings.StoreEditScaled(&letters, "CustomLabel_Height", 8);
  EXPECT_EQ(stored("CustomLabel_Height"), 0);
  settings.StoreEditScaled(&huge, "CustomLabel_Height", 8);
  EXPECT_EQ(stored("CustomLabel_Height"), 2147483647) << "held at the end of the range, not wrapped";
  settings.StoreEditInt(&negative, "Custom_X_Rect");
  EXPECT_EQ(stored("Custom_X_Rect"), -8);
  settings.StoreEditInt(&letters, "Custom_dX_Rect");
  EXPECT_EQ(stored("Custom_dX_Rect"), 0);

  const bool off = false, on = true;
  settings.StoreCheckState(&off, "IsPrint_Rect");
  EXPECT_EQ(stored("IsPrint_Rect"), 0);
  settings.StoreCheckState(&on, "IsPrint_Image2");
  EXPECT_EQ(stored("IsPrint_Image2"), 1);

  const std::string before = ReadText(settings.FilePath);
  settings.StoreCheckState(nullptr, "IsPrint_Text1");
  settings.StoreEditInt(nullptr, "Custom_X_Text1");
  settings.StoreEditScaled(nullptr, "CustomLabel_Width", 8);
  EXPECT_EQ(ReadText(settings.FilePath), before) << "a missing control writes nothing";
}

// Runs check in a child process as an ordinary user, since permissions do
// not stop root; true when the check held.
bool HoldsForAnOrdinaryUser(const std::function<bool()>& check) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(LabelSettingsTest, UnusableFoldersAndFilesFailQuietly) {
  TempDir dir;
  // A file where the data folder should be: nothing can be made, reads give 0.
  WriteText(dir.path() + "/blocked", "x");
  LabelSettings blocked(dir.path() + "/blocked/share");
  EXPECT_EQ(blocked.ReadSettingInt("CustomLabel", "CustomLabel_Width"), 0);
  EXPECT_EQ(blocked.ReadSettingText("CustomLabel_Width", 8), "0.00");
  EXPECT_FALSE(blocked.WriteSettingInt("CustomLabel", "CustomLabel_Width", 1));

  // A folder the operator may read but not write: writes fail, reads go on.
  LabelSettings settings(dir.path());
  const std::string folder = dir.path() + "/Tarnwick";
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  const auto refusedButReadable = [&settings] {
    const bool refused = !settings.WriteSettingInt("CustomLabel", "CustomLabel_Width", 1);
    return refused && settings.ReadSettingInt("CustomLabel", "CustomLabel_Width") == 384;
  };
  EXPECT_TRUE(HoldsForAnOrdinaryUser(refusedButReadable));
  EXPECT_EQ(ReadText(settings.FilePath), kFreshFile);

  // A file made read-only in a folder anyone may write: the file stays as it
  // is, though a replacement by renaming would be allowed.
  ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
  ASSERT_EQ(chmod(settings.FilePath.c_str(), 0444), 0);
  EXPECT_TRUE(HoldsForAnOrdinaryUser(refusedButReadable));
  EXPECT_EQ(ReadText(settings.FilePath), kFreshFile);
  chmod(folder.c_str(), 0755);
}

// Editor controls that all show one text and one check state.
class UniformControls : public DialogControls {
 public:
  UniformControls(std::string text, bool checked) : text_(std::move(text)), checked_(checked) {}
  std::optional<std::string> Text(int) const override { return text_; }
  void SetText(int, const std::string&) override {}
  std::optional<bool> Checked(int) const override { return checked_; }
  void SetChecked(int, bool) override {}
  std::optional<int> Selection(int) const override { return std::nullopt; }
  std::optional<bool> Enabled(int) const override { return true; }
  void SetEnabled(int, bool) override {}

 private:
  std::string text_;
  bool checked_;
};

// A file marked read-only stays so for root as well, and the save says why.
TEST(LabelSettingsTest, AnEditorSaveIntoAReadOnlyFileFailsAndSaysWhy) {
  TempDir dir;
  LabelSettings settings(dir.path());
  ASSERT_EQ(chmod(settings.FilePath.c_str(), 0444), 0);
  const FileResult saved = SaveCustomLabelEditor(settings, UniformControls("5", true));
  EXPECT_EQ(saved.problem, FileProblem::NoPermission);
  EXPECT_TRUE(saved.detail.starts_with(settings.FilePath + ": ")) << saved.detail;
  EXPECT_EQ(ReadText(settings.FilePath), kFreshFile);
  ASSERT_EQ(chmod(settings.FilePath.c_str(), 0644), 0);
  EXPECT_TRUE(SaveCustomLabelEditor(settings, UniformControls("5", true)));
  EXPECT_EQ(settings.ReadSettingInt(kCustomLabelSection, "Custom_X_Rect"), 5);
}

TEST(LabelSettingsTest, AKilledEditorSaveLeavesTheOldLayoutOrTheNewOne) {
  TempDir dir;
  LabelSettings settings(dir.path());
  const UniformControls first("11", false), second("22", true);
  SaveCustomLabelEditor(settings, second);
  const std::string secondLayout = ReadText(settings.FilePath);
  SaveCustomLabelEditor(settings, first);
  const std::string firstLayout = ReadText(settings.FilePath);
  ASSERT_NE(firstLayout, secondLayout);
  for (int round = 0; round < 5; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) SaveCustomLabelEditor(settings, i % 2 ? first : second);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 15 * round));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string text = ReadText(settings.FilePath);
    EXPECT_TRUE(text == firstLayout || text == secondLayout) << "round " << round << ":\n" << text;
  }
}

TEST(LabelSettingsTest, DataRootComesFromTheEnvironment) {
  const auto saved = [](const char* name) {
    return std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt;
  };
  const auto restore = [](const char* name, const std::optional<std::string>& value) {
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  };
  const auto home = saved("HOME"), data = saved("XDG_DATA_HOME");
  setenv("HOME", "/home/operator", 1);
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  EXPECT_EQ(DataRootFromEnvironment(), "/srv/data");
  setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
  EXPECT_EQ(DataRootFromEnvironment(), "/home/operator/.local/share");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DataRootFromEnvironment(), "/home/operator/.local/share");
  restore("HOME", home);
  restore("XDG_DATA_HOME", data);
}

}  // namespace
}  // namespace kestrel
