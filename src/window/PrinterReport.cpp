#include "window/PrinterReport.h"

#include <cstring>

#include "language/TranslationMap.h"

namespace kestrel {
namespace {

// The words of the status and the labels of the identity items, as the core
// names them and in Chinese.
struct Wording {
  const char* english;
  const char* chinese;
};
constexpr Wording kWords[] = {
    {"online", "联机"},
    {"offline", "脱机"},
    {"drawer open", "钱箱打开"},
    {"drawer closed", "钱箱关闭"},
    {"waiting for online recovery", "等待恢复联机"},
    {"feed button pressed", "走纸键按下"},
    {"cover open", "上盖打开"},
    {"paper end", "缺纸"},
    {"paper near end", "纸将尽"},
    {"cutter error", "切刀错误"},
    {"unrecoverable error", "不可恢复的错误"},
    {"auto-recoverable error", "可自动恢复的错误"},
    {"recoverable error", "可恢复的错误"},
    {"error", "错误"},
    {"model ID", "型号 ID"},
    {"type ID", "类型 ID"},
    {"ROM version", "ROM 版本"},
    {"firmware version", "固件版本"},
    {"maker", "厂商"},
    {"model", "型号"},
    {"serial number", "序列号"},
    {"code page", "代码页"},
    {"Ready", "就绪"},
    {"Fault: ", "故障: "},
    {"Status: ", "状态: "},
    {"The printer could not be reached: ", "无法连接打印机: "},
};

std::string Say(const std::string& english) {
  if (!InterfaceIsChinese()) return english;
  for (const Wording& word : kWords)
    if (english == word.english) return word.chinese;
  return english;
}

// "paper end, cover open" word by word.
std::string SayList(const std::string& list) {
  std::string said;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = list.find(", ", start);
    const std::string word = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    said += (said.empty() ? "" : (InterfaceIsChinese() ? "，" : ", ")) + Say(word);
    if (comma == std::string::npos) break;
    start = comma + 2;
  }
  return said;
}

}  // namespace

PrinterReport AskPrinter(PrinterLink& link, int timeoutMs) {
  PrinterReport report;
  report.status = QueryStatus(link, timeoutMs);
  report.identity = QueryIdentity(link, timeoutMs);
  return report;
}

std::string PrinterReportText(const PrinterReport& report) {
  if (!report.unreachable.empty()) return Say("The printer could not be reached: ") + report.unreachable + "\n";
  std::string text;
  const StatusResult& status = report.status;
  if (!status.answered) {
    text += Say("Status: ") + status.reason + "\n";
  } else {
    text += status.Ready() ? Say("Ready") : Say("Fault: ") + SayList(FaultText(status.status));
    std::string words;
    for (const std::string& word : StatusWords(status.status)) words += (words.empty() ? "" : ", ") + word;
    text += "\n" + SayList(words) + "\n";
  }
  text += "\n";
  for (const IdentityAnswer& answer : report.identity.items)
    text += Say(answer.item.label) + ": " + (answer.value ? *answer.value : "(" + answer.problem + ")") + "\n";
  return text;
}

}  // namespace kestrel
