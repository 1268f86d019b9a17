#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace kestrel {

// Chinese source texts and their English display texts. The interface is
// Chinese when CodePage is 936 (GBK) or 54936 (GB18030); every other code page
// gives the English texts. All texts here are UTF-8.
class TranslationMap {
 public:
  static TranslationMap& Instance();

  void AddTranslation(const std::string& chinese, const std::string& english);
  std::string Translate(const std::string& chinese) const;
  std::size_t size() const { return entries_.size(); }
  void Clear() { entries_.clear(); }

  std::int32_t CodePage = 0;

 private:
  std::map<std::string, std::string> entries_;
};

// Records the system's code page and enters both tables (caption table first).
void LoadTranslations();
void LoadTranslations(std::int32_t codePage);

void AddTranslation(const std::string& chinese, const std::string& english);
std::string Translate(const std::string& chinese);

bool IsChineseCodePage(std::int32_t codePage);
bool InterfaceIsChinese();

// The ANSI code page the locale stands for: codeset GB18030 gives 54936,
// zh_CN, zh_SG or GBK/GB2312 give 936, zh_TW/zh_HK 950, ja 932, ko 949,
// anything else 1252. On Linux the locale name comes from LC_ALL, else
// LC_CTYPE, else LANG.
std::int32_t CodePageFromLocaleName(const std::string& localeName);

struct CaptionEntry {
  int control;
  const char* key;
  const char* english;
};
struct VocabularyEntry {
  const char* key;
  const char* english;
};

// The caption table in the order ApplyInterfaceTexts sets the captions.
extern const CaptionEntry kCaptionTable[];
extern const std::size_t kCaptionCount;
// The further texts in the order LoadTranslations first enters them.
extern const VocabularyEntry kVocabularyTable[];
extern const std::size_t kVocabularyCount;

}  // namespace kestrel
