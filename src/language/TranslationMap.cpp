#include "language/TranslationMap.h"

#include "language/CodePageText.h"

namespace kestrel {

TranslationMap& TranslationMap::Instance() {
  static TranslationMap map;
  return map;
}

void TranslationMap::AddTranslation(const std::string& chinese, const std::string& english) {
  entries_[chinese] = english;
}

std::string TranslationMap::Translate(const std::string& chinese) const {
  if (IsChineseCodePage(CodePage)) return chinese;
  auto found = entries_.find(chinese);
  if (found != entries_.end() && !found->second.empty()) return found->second;
  return chinese;
}

void LoadTranslations() { LoadTranslations(SystemCodePage()); }

void LoadTranslations(std::int32_t codePage) {
  TranslationMap& map = TranslationMap::Instance();
  map.CodePage = codePage;
  for (std::size_t i = 0; i < kCaptionCount; ++i)
    map.AddTranslation(kCaptionTable[i].key, kCaptionTable[i].english);
  for (std::size_t i = 0; i < kVocabularyCount; ++i)
    map.AddTranslation(kVocabularyTable[i].key, kVocabularyTable[i].english);
}

void AddTranslation(const std::string& chinese, const std::string& english) {
  TranslationMap::Instance().AddTranslation(chinese, english);
}

std::string Translate(const std::string& chinese) {
  return TranslationMap::Instance().Translate(chinese);
}

bool IsChineseCodePage(std::int32_t codePage) { return codePage == 936 || codePage == 54936; }

bool InterfaceIsChinese() { return IsChineseCodePage(TranslationMap::Instance().CodePage); }

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::int32_t CodePageFromLocaleName(const std::string& localeName) {
  const std::string name = Lower(localeName);
  const std::size_t dot = name.find('.');
  std::string codeset = dot == std::string::npos ? "" : name.substr(dot + 1);
  codeset = codeset.substr(0, codeset.find('@'));
  std::string language = name.substr(0, name.find_first_of(".@"));
  if (codeset == "gb18030") return 54936;
  if (language == "zh_cn" || language == "zh_sg" || codeset == "gbk" || codeset == "gb2312") return 936;
  if (language == "zh_tw" || language == "zh_hk") return 950;
  if (language.rfind("ja", 0) == 0) return 932;
  if (language.rfind("ko", 0) == 0) return 949;
  return 1252;
}

}  // namespace kestrel
