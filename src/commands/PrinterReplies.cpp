#include "commands/PrinterReplies.h"

#include <cstdio>

namespace kestrel {
namespace {

bool Bit(std::uint8_t byte, int bit) { return (byte >> bit) & 1; }
// Two-bit sensor fields (paper near end, paper end): either bit counts, since
// printers with one sensor set only one of them.
bool Either(std::uint8_t byte, int bit) { return Bit(byte, bit) || Bit(byte, bit + 1); }

// GS I 65 to 69 answer "_" + text + NUL; no printer sends a longer text.
constexpr std::size_t kMaxIdentityText = 80;

bool IsTextItem(std::uint8_t n) { return n >= 65 && n <= 69; }
bool IsByteItem(std::uint8_t n) { return n >= 1 && n <= 3; }

}  // namespace

bool FitsRealTimeStatus(std::uint8_t reply) { return (reply & 0x93) == 0x12; }

bool FitsStatusReply(std::uint8_t reply) { return (reply & 0x90) == 0x00; }

bool ApplyRealTimeStatus(int n, std::uint8_t reply, RealTimeStatus* status) {
  if (!FitsRealTimeStatus(reply) || n < 1 || n > 4) return false;
  switch (n) {
    case 1:
      status->drawerPin3High = Bit(reply, 2);
      status->offline = Bit(reply, 3);
      status->waitingForOnline = Bit(reply, 5);
      status->feedButtonPressed = Bit(reply, 6);
      break;
    case 2:
      status->coverOpen = Bit(reply, 2);
      status->feedingByButton = Bit(reply, 3);
      status->stoppedByPaperEnd = Bit(reply, 5);
      status->errorOccurred = Bit(reply, 6);
      break;
    case 3:
      status->recoverableError = Bit(reply, 2);
      status->cutterError = Bit(reply, 3);
      status->unrecoverableError = Bit(reply, 5);
      status->autoRecoverableError = Bit(reply, 6);
      break;
    default:
      status->paperNearEnd = Either(reply, 2);
      status->paperEnd = Either(reply, 5);
      break;
  }
  return true;
}

std::optional<RealTimeStatus> DecodeAutomaticStatus(std::span<const std::uint8_t> reply) {
  if (reply.size() != 4 || (reply[0] & 0x93) != 0x10) return std::nullopt;
  for (std::size_t i = 1; i < 4; ++i)
    if (!FitsStatusReply(reply[i])) return std::nullopt;
  RealTimeStatus status;
  status.drawerPin3High = Bit(reply[0], 2);
  status.offline = Bit(reply[0], 3);
  status.coverOpen = Bit(reply[0], 5);
  status.feedingByButton = Bit(reply[0], 6);
  status.waitingForOnline = Bit(reply[1], 0);
  status.feedButtonPressed = Bit(reply[1], 1);
  status.recoverableError = Bit(reply[1], 2);
  status.cutterError = Bit(reply[1], 3);
  status.unrecoverableError = Bit(reply[1], 5);
  status.autoRecoverableError = Bit(reply[1], 6);
  status.paperNearEnd = Either(reply[2], 0);
  status.paperEnd = Either(reply[2], 2);
  status.stoppedByPaperEnd = status.paperEnd;
  status.errorOccurred = status.cutterError || status.unrecoverableError || status.autoRecoverableError;
  return status;
}

bool IsReady(const RealTimeStatus& status) { return FaultText(status).empty(); }

namespace {

// The conditions that stop printing, in the order they are named.
std::vector<std::string> Faults(const RealTimeStatus& s) {
  std::vector<std::string> faults;
  if (s.coverOpen) faults.push_back("cover open");
  if (s.paperEnd || s.stoppedByPaperEnd) faults.push_back("paper end");
  if (s.cutterError) faults.push_back("cutter error");
  if (s.unrecoverableError) faults.push_back("unrecoverable error");
  if (s.autoRecoverableError) faults.push_back("auto-recoverable error");
  if (s.recoverableError) faults.push_back("recoverable error");
  if (s.errorOccurred && faults.empty()) faults.push_back("error");
  return faults;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
  return text;
}

}  // namespace

std::vector<std::string> StatusWords(const RealTimeStatus& s) {
  std::vector<std::string> words{s.offline ? "offline" : "online", s.drawerPin3High ? "drawer open" : "drawer closed"};
  if (s.waitingForOnline) words.push_back("waiting for online recovery");
  if (s.feedButtonPressed || s.feedingByButton) words.push_back("feed button pressed");
  for (std::string& fault : Faults(s)) words.push_back(std::move(fault));
  if (s.paperNearEnd && !s.paperEnd) words.push_back("paper near end");
  return words;
}

std::string FaultText(const RealTimeStatus& status) {
  const std::vector<std::string> faults = Faults(status);
  if (!faults.empty()) return Joined(faults);
  return status.offline ? "offline" : "";
}

std::optional<PaperSensorStatus> DecodePaperSensorReply(std::uint8_t reply) {
  if (!FitsStatusReply(reply)) return std::nullopt;
  return PaperSensorStatus{Either(reply, 0), Either(reply, 2)};
}

std::span<const IdentityItem> IdentityItems() {
  static constexpr IdentityItem kItems[] = {
      {1, "modelId", "model ID"},
      {2, "typeId", "type ID"},
      {3, "romVersion", "ROM version"},
      {65, "firmware", "firmware version"},
      {66, "maker", "maker"},
      {67, "model", "model"},
      {68, "serialNumber", "serial number"},
      {69, "codePage", "code page"},
  };
  return kItems;
}

bool IdentityReplyComplete(std::uint8_t n, std::span<const std::uint8_t> reply) {
  if (reply.empty()) return false;
  if (!IsTextItem(n)) return true;
  if (reply[0] != 0x5F || reply.size() > kMaxIdentityText + 2) return true;
  return reply.back() == 0x00;
}

std::optional<std::string> DecodeIdentityReply(std::uint8_t n, std::span<const std::uint8_t> reply) {
  if (IsByteItem(n)) {
    if (reply.size() != 1 || !FitsStatusReply(reply[0])) return std::nullopt;
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", reply[0]);
    return text;
  }
  if (!IsTextItem(n) || reply.size() < 2 || reply.front() != 0x5F || reply.back() != 0x00 ||
      reply.size() > kMaxIdentityText + 2)
    return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i + 1 < reply.size(); ++i) {
    if (reply[i] < 0x20 || reply[i] == 0x7F) return std::nullopt;
    text += static_cast<char>(reply[i]);
  }
  return text;
}

std::string ReplyHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char pair[4];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", byte);
    text += (text.empty() ? "" : " ") + std::string(pair);
  }
  return text;
}

}  // namespace kestrel
