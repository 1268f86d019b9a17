#include "emulator/PrinterResponder.h"

#include <cstring>

namespace kestrel::emu {
namespace {

struct FaultName {
  const char* name;
  FaultKind kind;
};
constexpr FaultName kFaultNames[] = {
    {"paper-end", FaultKind::kPaperEnd},       {"near-end", FaultKind::kNearEnd}, {"cover-open", FaultKind::kCoverOpen},
    {"cutter-error", FaultKind::kCutterError}, {"offline", FaultKind::kOffline},
};

// What the virtual printer says of itself to GS I. It has no serial number,
// so GS I 68 goes unanswered, as on printers that keep none.
struct IdentityText {
  std::uint8_t n;
  const char* text;
};
constexpr IdentityText kIdentity[] = {
    {65, "1.0.0.16"},
    {66, "Tarnwick"},
    {67, "Kestrel virtual printer"},
    {69, "CHINA GB18030"},
};
constexpr std::uint8_t kModelId = 0x20;
constexpr std::uint8_t kTypeId = 0x01;  // two-byte characters, no cutter, no display
constexpr std::uint8_t kRomVersion = 0x01;

std::uint8_t Bits(std::initializer_list<std::pair<bool, std::uint8_t>> flags, std::uint8_t fixed) {
  std::uint8_t byte = fixed;
  for (const auto& [on, mask] : flags)
    if (on) byte |= mask;
  return byte;
}

}  // namespace

std::optional<FaultPlan> ParseFault(const std::string& text, std::string* problem) {
  const std::size_t at = text.find('@');
  const std::string name = text.substr(0, at);
  FaultPlan plan;
  for (const FaultName& known : kFaultNames)
    if (name == known.name) plan.kind = known.kind;
  if (plan.kind == FaultKind::kNone) {
    *problem = "--fault takes KIND[@PAGE], KIND one of " + FaultNames();
    return std::nullopt;
  }
  if (at != std::string::npos) {
    const std::string page = text.substr(at + 1);
    if (page.empty() || page.size() > 6 || page.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(page) < 1) {
      *problem = "--fault " + text + ": PAGE is a page number from 1";
      return std::nullopt;
    }
    plan.fromPage = std::stoi(page);
  }
  return plan;
}

std::string FaultNames() {
  std::string names;
  for (const FaultName& known : kFaultNames) names += (names.empty() ? "" : ", ") + std::string(known.name);
  return names;
}

RealTimeStatus PrinterResponder::Status() const {
  RealTimeStatus status;
  if (!faultActive_ || faultCleared_) return status;
  switch (fault_.kind) {
    case FaultKind::kPaperEnd:
      status.offline = status.stoppedByPaperEnd = status.paperEnd = status.paperNearEnd = true;
      break;
    case FaultKind::kNearEnd:
      status.paperNearEnd = true;
      break;
    case FaultKind::kCoverOpen:
      status.offline = status.coverOpen = true;
      break;
    case FaultKind::kCutterError:
      status.offline = status.errorOccurred = status.cutterError = true;
      break;
    case FaultKind::kOffline:
      status.offline = true;
      break;
    case FaultKind::kNone:
      break;
  }
  return status;
}

void PrinterResponder::Update(int pagesPrinted, Clock::time_point now) {
  if (fault_.kind != FaultKind::kNone && !faultActive_ && pagesPrinted >= fault_.fromPage) {
    faultActive_ = true;
    faultSince_ = now;
  }
  if (faultActive_ && !faultCleared_ && fault_.lastsMs > 0 &&
      now - faultSince_ >= std::chrono::milliseconds(fault_.lastsMs))
    faultCleared_ = true;
  if (automaticStatus_ != 0 && Status() != lastSent_) SendAutomaticStatus();
}

void PrinterResponder::Run(std::span<const std::uint8_t> stream, const Command& command, int pagesPrinted,
                           Clock::time_point now) {
  Update(pagesPrinted, now);
  if (command.length < 3 || command.offset + 3 > stream.size()) return;
  const std::uint8_t* bytes = stream.data() + command.offset;
  const std::uint8_t n = bytes[2];
  if (bytes[0] == 0x10 && bytes[1] == 0x04 && n >= 1 && n <= 4) {
    const std::uint8_t reply = RealTimeStatusByte(n, Status());
    Answer({&reply, 1});
  } else if (bytes[0] == 0x1D && bytes[1] == 0x49) {
    AnswerIdentity(n);
  } else if (bytes[0] == 0x1D && bytes[1] == 0x72 && (n == 1 || n == 49 || n == 2 || n == 50)) {
    const std::uint8_t reply = n == 1 || n == 49 ? PaperSensorByte(Status()) : 0x00;
    Answer({&reply, 1});
  } else if (bytes[0] == 0x1D && bytes[1] == 0x61) {
    automaticStatus_ = n;
    if (n != 0) SendAutomaticStatus();
  }
}

void PrinterResponder::AnswerIdentity(std::uint8_t n) {
  const std::uint8_t item = n >= 49 && n <= 51 ? static_cast<std::uint8_t>(n - 48) : n;
  if (item >= 1 && item <= 3) {
    const std::uint8_t reply = item == 1 ? kModelId : item == 2 ? kTypeId : kRomVersion;
    Answer({&reply, 1});
    return;
  }
  for (const IdentityText& known : kIdentity) {
    if (known.n != item) continue;
    std::vector<std::uint8_t> reply{0x5F};
    reply.insert(reply.end(), known.text, known.text + std::strlen(known.text));
    reply.push_back(0x00);
    Answer(reply);
  }
}

void PrinterResponder::SendAutomaticStatus() {
  lastSent_ = Status();
  Answer(AutomaticStatusBytes(lastSent_));
}

void PrinterResponder::Answer(std::span<const std::uint8_t> bytes) {
  if (!mute_) answers_.insert(answers_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> PrinterResponder::TakeAnswers() {
  std::vector<std::uint8_t> answers;
  answers.swap(answers_);
  return answers;
}

// Every DLE EOT reply carries bits 1 and 4 set, 0 and 7 clear (0x12).
std::uint8_t RealTimeStatusByte(int n, const RealTimeStatus& s) {
  switch (n) {
    case 1:
      return Bits(
          {{s.drawerPin3High, 0x04}, {s.offline, 0x08}, {s.waitingForOnline, 0x20}, {s.feedButtonPressed, 0x40}}, 0x12);
    case 2:
      return Bits(
          {{s.coverOpen, 0x04}, {s.feedingByButton, 0x08}, {s.stoppedByPaperEnd, 0x20}, {s.errorOccurred, 0x40}}, 0x12);
    case 3:
      return Bits({{s.recoverableError, 0x04},
                   {s.cutterError, 0x08},
                   {s.unrecoverableError, 0x20},
                   {s.autoRecoverableError, 0x40}},
                  0x12);
    default:
      return Bits({{s.paperNearEnd, 0x0C}, {s.paperEnd, 0x60}}, 0x12);
  }
}

std::vector<std::uint8_t> AutomaticStatusBytes(const RealTimeStatus& s) {
  return {
      Bits({{s.drawerPin3High, 0x04}, {s.offline, 0x08}, {s.coverOpen, 0x20}, {s.feedingByButton, 0x40}}, 0x10),
      Bits({{s.waitingForOnline, 0x01},
            {s.feedButtonPressed, 0x02},
            {s.recoverableError, 0x04},
            {s.cutterError, 0x08},
            {s.unrecoverableError, 0x20},
            {s.autoRecoverableError, 0x40}},
           0x00),
      Bits({{s.paperNearEnd, 0x03}, {s.paperEnd, 0x0C}}, 0x00),
      0x00,
  };
}

std::uint8_t PaperSensorByte(const RealTimeStatus& s) {
  return Bits({{s.paperNearEnd, 0x03}, {s.paperEnd, 0x0C}}, 0x00);
}

}  // namespace kestrel::emu
