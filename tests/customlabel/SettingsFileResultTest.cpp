#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "customlabel/LabelSettings.h"
#include "customlabel/ProfileFile.h"
#include "language/TranslationMap.h"
#include "support/TestSupport.h"
#include "window/SettingsFileMessage.h"

// The settings file as Windows programs write it (UTF-16 with a byte order
// mark), and the saves and reads that cannot be done: each says why and
// leaves the file as it was.
namespace kestrel {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;
using namespace std::string_literals;

// ASCII text in UTF-16 with its byte order mark.
std::string Utf16(const std::string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : text) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

TEST(SettingsFileResultTest, Utf16FilesAreReadAndWrittenInUtf16) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    TempDir dir;
    const std::string path = dir.path() + "/Kestrel.ini";
    // A comment of 标签 (U+6807 U+7B7E) and a lone surrogate, which Windows
    // files may hold: both kept as they were.
    const std::string comment = bigEndian ? "\x00;\x68\x07\x7B\x7E\xD8\x00"s : ";\x00\x07\x68\x7E\x7B\x00\xD8"s;
    const std::string before =
        Utf16("[CustomLabel]\r\nCustomLabel_Width=400\r\n", bigEndian) + comment + Utf16("\r\n", bigEndian).substr(2);
    WriteText(path, before);
    EXPECT_EQ(ReadProfileString(path, "CustomLabel", "CustomLabel_Width"), "400");
    for (const auto& [key, value] : {std::pair{"CustomLabel_Width", "408"}, {"CustomLabel_Height", "320"}}) {
      const FileResult saved = WriteProfileString(path, "CustomLabel", key, value);
      ASSERT_TRUE(saved) << saved.detail;
    }
    const std::string after = Utf16("[CustomLabel]\r\nCustomLabel_Width=408\r\n", bigEndian) + comment +
                              Utf16("\r\nCustomLabel_Height=320\r\n", bigEndian).substr(2);
    const std::string written = ReadText(path);
    EXPECT_BYTES(std::span(reinterpret_cast<const std::uint8_t*>(written.data()), written.size()),
                 std::span(reinterpret_cast<const std::uint8_t*>(after.data()), after.size()));
    EXPECT_TRUE(CheckProfileFile(path));
  }
}

TEST(SettingsFileResultTest, FilesThatCannotBeReadOrRewrittenSayWhy) {
  TempDir dir;
  const std::string path = dir.path() + "/Kestrel.ini";
  const struct {
    const char* name;
    std::function<void()> make;
    FileProblem problem;
  } rows[] = {
      {"UTF-16 of an odd length", [&] { WriteText(path, Utf16("[CustomLabel]\r\n", false) + "x"); },
       FileProblem::Damaged},
      {"100 MB before the section",
       [&] {
         WriteText(path, "");
         std::filesystem::resize_file(test::Utf8Path(path), 100'000'000);
       },
       FileProblem::TooLarge},
      {"a folder in its place", [&] { std::filesystem::create_directory(test::Utf8Path(path)); },
       FileProblem::NotAFile},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove_all(test::Utf8Path(path));
    row.make();
    const auto size =
        std::filesystem::is_regular_file(test::Utf8Path(path)) ? std::filesystem::file_size(test::Utf8Path(path)) : 0;
    EXPECT_EQ(CheckProfileFile(path).problem, row.problem);
    const FileResult saved = WriteProfileString(path, "CustomLabel", "CustomLabel_X", "1");
    EXPECT_EQ(saved.problem, row.problem);
    EXPECT_TRUE(saved.detail.starts_with(path + ": ")) << saved.detail;
    if (size > 0) {
      EXPECT_EQ(std::filesystem::file_size(test::Utf8Path(path)), size);
    }
  }
  EXPECT_TRUE(CheckProfileFile(dir.path() + "/missing.ini")) << "a missing file reads as zeros, as it always has";
}

TEST(SettingsFileResultTest, MessagesInTheInterfaceLanguage) {
  const FileResult full = FileResult::Fail(FileProblem::NoSpace, "/d/Kestrel.ini: No space left on device");
  const FileResult other = FileResult::Fail(FileProblem::Failed, "/d/Kestrel.ini: Input/output error");
  LoadTranslations(1252);
  EXPECT_EQ(SettingsNotSavedMessage(full, "/d/Kestrel.ini"),
            "The custom label was not saved.\nThe disk is full\n/d/Kestrel.ini");
  EXPECT_EQ(SettingsUnreadableMessage(other, "/d/Kestrel.ini"),
            "The custom label's settings cannot be read.\n/d/Kestrel.ini: Input/output error");
  LoadTranslations(936);
  EXPECT_EQ(SettingsNotSavedMessage(full, "/d/Kestrel.ini"), "自定标签未保存。\n磁盘已满\n/d/Kestrel.ini");
  LoadTranslations(1252);
}

}  // namespace
}  // namespace kestrel
