#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "commands/PrinterReplies.h"
#include "link/PrinterLink.h"

// Asking the printer: its status, its identity, whether a job has printed.
// Each works on a link whose port is open (after ReconnectPrinter), prints
// nothing, and returns what the printer answered or the reason it did not.
namespace kestrel {

// How long a query waits for its answer unless told otherwise.
inline constexpr int kDefaultQueryTimeoutMs = 2000;
// How long a job may take to print before its wait gives up.
inline constexpr int kDefaultPrintTimeoutMs = 60000;

// DLE EOT 1 to 4.
struct StatusResult {
  bool answered = false;              // all four replies came and fit their pattern
  std::string reason;                 // why not: "no answer in 2000 ms", "invalid reply to DLE EOT 2: 00"
  RealTimeStatus status;              // valid when answered
  std::vector<std::uint8_t> replies;  // the reply bytes, in query order
  bool Ready() const { return answered && IsReady(status); }
};
StatusResult QueryStatus(PrinterLink& link, int timeoutMs = kDefaultQueryTimeoutMs);

// GS I, item by item. An item the printer does not answer is reported so,
// never filled in.
struct IdentityAnswer {
  IdentityItem item;
  std::optional<std::string> value;  // the item as the printer gave it
  std::string problem;               // else: "no answer in 2000 ms", "invalid reply: 5F 41"
};
struct IdentityResult {
  bool answered = false;  // at least one item came
  std::string reason;     // when none did: the first item's problem
  std::vector<IdentityAnswer> items;
};
IdentityResult QueryIdentity(PrinterLink& link, int timeoutMs = kDefaultQueryTimeoutMs);

// After a job has been written, GS r 1: the printer answers it only once it
// has processed everything before it, so the answer means the job printed.
struct PrintedResult {
  bool printed = false;
  std::string reason;             // when not printed
  std::int64_t milliseconds = 0;  // from the job's first byte to the answer
  PaperSensorStatus paper;        // what the answer says of the paper
};
PrintedResult WaitUntilPrinted(PrinterLink& link, std::chrono::steady_clock::time_point firstByte,
                               int timeoutMs = kDefaultPrintTimeoutMs);

}  // namespace kestrel
