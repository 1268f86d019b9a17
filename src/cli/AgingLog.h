#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "operations/AgingTest.h"

namespace kestrel::cli {

// The record of an aging run on the command line, a CSV file appended to as
// the run goes: a header when the file is new
//   time,tick,bytes,result,reason
// one line per tick
//   2024-03-05T14:07:09+01:00,3,812,sent,
//   2024-03-05T14:07:14+01:00,4,812,send-failed,"Sending failed. Sending has stopped"
// (local time with its offset from UTC, tick number, bytes of the label,
// result, reason on failure) and one line when the run ends
//   2024-03-05T14:07:14+01:00,end,2436,stopped,3 of 4 ticks sent
// (the bytes sent in all, done / interrupted / stopped). Each line is flushed
// as it is written, so a run that is killed leaves every tick before it. A
// log of "-" is stdout.
class AgingLog {
 public:
  AgingLog() = default;
  ~AgingLog();
  AgingLog(const AgingLog&) = delete;
  AgingLog& operator=(const AgingLog&) = delete;

  // Opens `path` for appending; false with the reason in *problem.
  bool Open(const std::string& path, std::string* problem);

  // Each returns false when the line could not be written (a full disk).
  bool Tick(std::int64_t tick, std::size_t bytes, AgingTickResult result, const std::string& reason);
  // What the printer said after a tick, no bytes sent:
  //   2024-03-05T14:07:14+01:00,3,0,printer-fault,paper end
  bool Note(std::int64_t tick, const char* word, const std::string& reason);
  // `more` follows the count of ticks sent: ", 12.5 labels a minute".
  bool End(const char* outcome, const std::string& more = "");

  // "3 of 4 ticks sent, 2436 bytes", with or without a file.
  std::string Summary() const;
  bool ToStdout() const { return file_ == stdout; }

 private:
  bool WriteLine(const std::string& line);

  std::FILE* file_ = nullptr;
  std::int64_t ticks_ = 0;
  std::int64_t sent_ = 0;
  std::uint64_t bytesSent_ = 0;
};

}  // namespace kestrel::cli
