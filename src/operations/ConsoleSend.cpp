#include "operations/ConsoleSend.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "commands/JobSettings.h"
#include "language/CodePageText.h"
#include "language/TranslationMap.h"
#include "operations/HexText.h"

namespace kestrel {
namespace {

std::int32_t InterfaceCodePage() { return TranslationMap::Instance().CodePage; }

void CopyToBuffer(const std::string& bytes, ConsoleBuffer& buffer) {
  std::copy(bytes.begin(), bytes.end(), buffer.bytes.begin());
  buffer.length = static_cast<std::int32_t>(bytes.size());
}

}  // namespace

const char* ConsoleErrorText(ConsoleError error) {
  switch (error) {
    case ConsoleError::kTooMuchInput:
      return "输入太多了!";
    case ConsoleError::kHexInput:
      return "十六进制字符输入有错误!";
    case ConsoleError::kNone:
      break;
  }
  return "";
}

ConsoleError PrepareConsoleSend(const std::string& content, bool hexMode, ConsoleBuffer& buffer) {
  return PrepareConsoleBytes(ToCodePage(content, InterfaceCodePage()), hexMode, buffer);
}

ConsoleError PrepareConsoleBytes(const std::string& contentBytes, bool hexMode, ConsoleBuffer& buffer) {
  buffer.length = 0;
  if (contentBytes.size() >= kConsoleContentLimit) return ConsoleError::kTooMuchInput;
  buffer.bytes.fill(0);
  if (!hexMode) {
    CopyToBuffer(contentBytes, buffer);
    return ConsoleError::kNone;
  }
  // Parsing never lengthens the content, so the bytes fit wherever the text did.
  const std::optional<std::string> parsed = ParseHexText(contentBytes);
  if (!parsed) return ConsoleError::kHexInput;
  CopyToBuffer(*parsed, buffer);
  return ConsoleError::kNone;
}

std::int32_t ReadSendCount(const std::string& countText) { return ParseDecimal(countText); }

std::int32_t RepeatSend(const ConsoleBuffer& buffer, std::int32_t count, const ConsoleWriter& write,
                        const std::atomic<bool>& stop) {
  std::int32_t written = 0;
  for (std::int32_t copy = 0; copy < count; ++copy) {
    if (stop.load()) break;
    if (copy > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (stop.load()) break;
    write(buffer.bytes.data(), buffer.length);
    ++written;
  }
  return written;
}

std::optional<std::string> ConvertForHexBox(const std::string& content, bool checked) {
  if (content.empty()) return content;
  const std::int32_t codePage = InterfaceCodePage();
  const std::string bytes = ToCodePage(content, codePage);
  if (checked) return FormatHexText(bytes);

  std::optional<std::string> parsed = ParseHexText(bytes);
  if (!parsed) return std::nullopt;
  // The text ends where a 00 byte would end it in the window's text buffer.
  const std::size_t end = parsed->find('\0');
  if (end != std::string::npos) parsed->resize(end);
  return FromCodePage(*parsed, codePage);
}

}  // namespace kestrel
