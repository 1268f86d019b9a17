#include <gtest/gtest.h>

#include "language/CodePageText.h"
#include "language/TranslationMap.h"

namespace kestrel {
namespace {

TEST(TranslationTest, TablesLoadToOneHundredThirtyEntries) {
  TranslationMap::Instance().Clear();
  LoadTranslations(1252);
  EXPECT_EQ(TranslationMap::Instance().size(), 130u);
  EXPECT_EQ(kCaptionCount, 55u);
  EXPECT_EQ(kVocabularyCount, 76u);
}

TEST(TranslationTest, EnglishInterfaceTexts) {
  LoadTranslations(1252);
  EXPECT_EQ(Translate("名称："), "Item:");
  EXPECT_EQ(Translate("警告"), "Warnning");
  EXPECT_EQ(Translate("发送次数:"), "Send coies:");
  EXPECT_EQ(Translate("2.33寸测试标签"), "Test label(2.33\")");
  EXPECT_EQ(Translate("not a key"), "not a key");
  EXPECT_EQ(Translate("没有这个键"), "没有这个键");
}

TEST(TranslationTest, ChineseInterfaceReturnsTheKey) {
  for (int codePage : {936, 54936}) {
    LoadTranslations(codePage);
    EXPECT_EQ(Translate("名称："), "名称：");
    EXPECT_EQ(Translate("警告"), "警告");
  }
  LoadTranslations(950);
  EXPECT_EQ(Translate("警告"), "Warnning");
}

TEST(TranslationTest, AnEmptyValueShowsTheKey) {
  LoadTranslations(1252);
  AddTranslation("测试键", "");
  EXPECT_EQ(Translate("测试键"), "测试键");
}

TEST(TranslationTest, CodePageFromLocale) {
  EXPECT_EQ(CodePageFromLocaleName("zh_CN.UTF-8"), 936);
  EXPECT_EQ(CodePageFromLocaleName("zh_CN.GB18030"), 54936);
  EXPECT_EQ(CodePageFromLocaleName("zh_SG"), 936);
  EXPECT_EQ(CodePageFromLocaleName("en_US.GBK"), 936);
  EXPECT_EQ(CodePageFromLocaleName("zh_TW.UTF-8"), 950);
  EXPECT_EQ(CodePageFromLocaleName("ja_JP.UTF-8"), 932);
  EXPECT_EQ(CodePageFromLocaleName("ko_KR.UTF-8"), 949);
  EXPECT_EQ(CodePageFromLocaleName("en_US.UTF-8"), 1252);
  EXPECT_EQ(CodePageFromLocaleName("C"), 1252);
  EXPECT_EQ(CodePageFromLocaleName(""), 1252);
}

TEST(CodePageTextTest, ConversionsBothWays) {
  EXPECT_EQ(ToCodePage("中", 936), "\xD6\xD0");
  EXPECT_EQ(FromCodePage("\xD6\xD0", 936), "中");
  EXPECT_EQ(ToCodePage("a中b", 1252), "a?b");
  EXPECT_EQ(ToCodePage("\xFF" "a", 936), "?a");  // not UTF-8
  EXPECT_EQ(FromCodePage("A\xD6", 936), "A?");   // a lead byte without its trail byte
  EXPECT_EQ(ToCodePage("", 936), "");
}

TEST(CodePageTextTest, LongTextsConvertWholeWhereverASequenceFalls) {
  // Multi-byte sequences at every offset, so that some fall across any
  // boundary the conversion works in; a cut sequence only at the very end.
  for (std::size_t lead = 0; lead < 4; ++lead) {
    std::string utf8(lead, 'x'), gbk(lead, 'x'), latin(lead, 'x');
    for (int i = 0; i < 300; ++i) {
      utf8 += "中\U0001F600";
      gbk += "\xD6\xD0?";
      latin += "??";
    }
    EXPECT_EQ(ToCodePage(utf8, 936), gbk) << lead;
    EXPECT_EQ(ToCodePage(utf8, 1252), latin) << lead;
    EXPECT_EQ(ToCodePage(utf8 + "\xE4\xB8", 936), gbk + "?") << lead;
    std::string back(lead, 'x'), bytes(lead, 'x');
    for (int i = 0; i < 300; ++i) {
      back += "中";
      bytes += "\xD6\xD0";
    }
    EXPECT_EQ(FromCodePage(bytes, 936), back) << lead;
    EXPECT_EQ(FromCodePage(bytes + "\xD6", 936), back + "?") << lead;
  }
}

}  // namespace
}  // namespace kestrel
