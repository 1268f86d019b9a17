#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "commands/PrinterReplies.h"
#include "emulator/Command.h"

namespace kestrel::emu {

// A fault the virtual printer plays: from page `fromPage` on (0: from the
// start), for `lastsMs` once it has arisen (0: until the printer stops), as
// an operator would load paper or close the cover.
enum class FaultKind { kNone, kPaperEnd, kNearEnd, kCoverOpen, kCutterError, kOffline };
struct FaultPlan {
  FaultKind kind = FaultKind::kNone;
  int fromPage = 0;
  int lastsMs = 0;
};

// "paper-end", "near-end@2", "cover-open@3": KIND[@PAGE]; nullopt with the
// reason in *problem for anything else.
std::optional<FaultPlan> ParseFault(const std::string& text, std::string* problem);
// The names ParseFault takes, for help texts: "paper-end, near-end, ...".
std::string FaultNames();

// The virtual printer's answers to status and identity queries (DLE EOT,
// GS I, GS r, GS a), made from what it has printed and the fault it plays.
// It is fed every command the decoder reads, in order, so a GS r is answered
// only after the pages before it have been printed. A mute printer never
// answers.
class PrinterResponder {
 public:
  using Clock = std::chrono::steady_clock;

  PrinterResponder(FaultPlan fault, bool mute) : fault_(fault), mute_(mute) {}

  // One command of the stream, with the pages printed so far.
  void Run(std::span<const std::uint8_t> stream, const Command& command, int pagesPrinted,
           Clock::time_point now = Clock::now());
  // Time passes: a fault arises or clears, and automatic status back, when
  // on, sends the new status.
  void Update(int pagesPrinted, Clock::time_point now = Clock::now());
  // The bytes to send back to the host since the last call.
  std::vector<std::uint8_t> TakeAnswers();

  RealTimeStatus Status() const;

 private:
  void Answer(std::span<const std::uint8_t> bytes);
  void AnswerIdentity(std::uint8_t n);
  void SendAutomaticStatus();

  FaultPlan fault_;
  bool mute_;
  bool faultActive_ = false;
  bool faultCleared_ = false;
  Clock::time_point faultSince_{};
  std::uint8_t automaticStatus_ = 0;  // GS a n: 0 off
  RealTimeStatus lastSent_;
  std::vector<std::uint8_t> answers_;
};

// The printer's side of the replies: DLE EOT n (1 to 4), the four bytes of
// automatic status back, GS r 1.
std::uint8_t RealTimeStatusByte(int n, const RealTimeStatus& status);
std::vector<std::uint8_t> AutomaticStatusBytes(const RealTimeStatus& status);
std::uint8_t PaperSensorByte(const RealTimeStatus& status);

}  // namespace kestrel::emu
