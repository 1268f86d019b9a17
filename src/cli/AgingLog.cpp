#include "cli/AgingLog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

// The local time as ISO 8601 with the zone's offset: 2024-03-05T14:07:09+01:00.
std::string IsoLocalTime() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  const std::tm utc = *std::gmtime(&now);
  // The two calendars differ by a day at most.
  int days = local.tm_yday - utc.tm_yday;
  if (local.tm_year != utc.tm_year) days = local.tm_year > utc.tm_year ? 1 : -1;
  const int minutes = days * 24 * 60 + (local.tm_hour - utc.tm_hour) * 60 + (local.tm_min - utc.tm_min);
  char text[40];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                std::abs(minutes) % 60);
  return text;
}

}  // namespace

AgingLog::~AgingLog() {
  if (file_ != nullptr && file_ != stdout) std::fclose(file_);
}

bool AgingLog::Open(const std::string& path, std::string* problem) {
  file_ = path == "-" ? stdout : OpenFile(path, "a");
  if (file_ == nullptr) {
    *problem = path + ": " + std::strerror(errno);
    return false;
  }
  // A file that already holds runs has its header.
  const bool empty = file_ == stdout || (std::fseek(file_, 0, SEEK_END) == 0 && std::ftell(file_) == 0);
  if (empty && !WriteLine("time,tick,bytes,result,reason")) {
    *problem = path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool AgingLog::Tick(std::int64_t tick, std::size_t bytes, AgingTickResult result, const std::string& reason) {
  ++ticks_;
  if (result == AgingTickResult::kSent) {
    ++sent_;
    bytesSent_ += bytes;
  }
  return WriteLine(IsoLocalTime() + ',' + std::to_string(tick) + ',' + std::to_string(bytes) + ',' +
                   ResultWord(result) + ',' + CsvField(reason));
}

bool AgingLog::Note(std::int64_t tick, const char* word, const std::string& reason) {
  return WriteLine(IsoLocalTime() + ',' + std::to_string(tick) + ",0," + word + ',' + CsvField(reason));
}

bool AgingLog::End(const char* outcome, const std::string& more) {
  return WriteLine(IsoLocalTime() + ",end," + std::to_string(bytesSent_) + ',' + outcome + ',' +
                   CsvField(std::to_string(sent_) + " of " + std::to_string(ticks_) + " ticks sent" + more));
}

std::string AgingLog::Summary() const {
  return std::to_string(sent_) + " of " + std::to_string(ticks_) + " ticks sent, " + std::to_string(bytesSent_) +
         " bytes";
}

bool AgingLog::WriteLine(const std::string& line) {
  if (file_ == nullptr) return true;
  const std::string text = line + '\n';
  return std::fwrite(text.data(), 1, text.size(), file_) == text.size() && std::fflush(file_) == 0;
}

}  // namespace kestrel::cli
