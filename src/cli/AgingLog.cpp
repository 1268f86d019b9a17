#include "cli/AgingLog.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "cli/CliOptions.h"
#include "cli/ProcessIo.h"
#include "commands/JobSettings.h"

namespace kestrel::cli {
namespace {

// A CSV field: quoted when it holds a comma, a quote or a line break (the
// Chinese messages hold an ASCII comma).
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

const char* ResultWord(AgingTickResult result) {
  switch (result) {
    case AgingTickResult::kSent:
      return "sent";
    case AgingTickResult::kNotConnected:
      return "not-connected";
    case AgingTickResult::kSendFailed:
      return "send-failed";
  }
  return "";
}

}  // namespace

AgingLog::~AgingLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool AgingLog::Open(const std::string& path, std::string* problem) {
  file_ = OpenFile(path, "a");
  if (file_ == nullptr) *problem = path + ": " + std::strerror(errno);
  return file_ != nullptr;
}

bool AgingLog::Tick(std::int64_t tick, std::size_t bytes, AgingTickResult result, const std::string& reason) {
  ++ticks_;
  if (result == AgingTickResult::kSent) {
    ++sent_;
    bytesSent_ += bytes;
  }
  return WriteLine(LocalTimeText() + ',' + std::to_string(tick) + ',' + std::to_string(bytes) + ',' +
                   ResultWord(result) + ',' + CsvField(reason));
}

bool AgingLog::Note(std::int64_t tick, const char* word, const std::string& reason) {
  return WriteLine(LocalTimeText() + ',' + std::to_string(tick) + ",0," + word + ',' + CsvField(reason));
}

bool AgingLog::End(const char* outcome, const std::string& more) {
  return WriteLine(LocalTimeText() + ",end," + std::to_string(bytesSent_) + ',' + outcome + ',' +
                   CsvField(std::to_string(sent_) + " of " + std::to_string(ticks_) + " ticks sent" + more));
}

bool AgingLog::WriteLine(const std::string& line) {
  if (file_ == nullptr) return true;
  const std::string text = line + '\n';
  return std::fwrite(text.data(), 1, text.size(), file_) == text.size() && std::fflush(file_) == 0;
}

}  // namespace kestrel::cli
