#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"

namespace kestrel {

class PrinterLink;

// What an aging tick needs from whoever runs the test: the window with its
// timer, count display and message boxes, or the CLI with stderr.
class AgingHost {
 public:
  virtual ~AgingHost() = default;

  // Stops the timer and clears the aging flag (the window enables its
  // controls again).
  virtual void StopAging() = 0;
  // SendCount + 1, then the count is shown.
  virtual void CountSuccessfulSend() = 0;
  // An OK-only message without icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// The interval edit's text in milliseconds: empty, not a number, zero or
// negative gives 5000.
std::int32_t AgingInterval(const std::string& text);

// The label job of an item of the aging size list (0 to 12, the label-size
// order); nullptr for an index outside the list.
const NamedJob* AgingLabelJob(int index);

enum class AgingTickResult { kSent, kNotConnected, kSendFailed };

// One tick: runs the job through the job pattern (its own write is refused
// while the aging flag is set, so context.agingRunning and the link host's
// flag are expected to be set), then sends SendBuffer itself. A missing
// connection or a failed send stops the test before the message is shown, so
// no tick can arrive while the message is open.
// What a tick's outcome does: a send counts; a missing connection or a failed
// send stops the test and then says so. A window that sends off its own
// thread applies this when the write has ended.
void ApplyAgingTickResult(AgingTickResult result, AgingHost& host);

// `firstByte`, when given, gets the moment the send began, for the time a
// label takes until the printer has it printed.
AgingTickResult RunAgingTick(PrinterLink& link, const NamedJob& job, const JobContext& context, AgingHost& host,
                             std::chrono::steady_clock::time_point* firstByte = nullptr);

}  // namespace kestrel
