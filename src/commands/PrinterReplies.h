#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What the printer answers to the queries of StatusQueries.h, decoded. Every
// reply is checked against the fixed bits its command defines first, so that
// a stray byte is never read as a status.
namespace kestrel {

// The answers to DLE EOT 1 to 4 together, or the first four bytes of
// automatic status back.
struct RealTimeStatus {
  // DLE EOT 1: printer
  bool drawerPin3High = false;
  bool offline = false;
  bool waitingForOnline = false;
  bool feedButtonPressed = false;
  // DLE EOT 2: offline cause
  bool coverOpen = false;
  bool feedingByButton = false;
  bool stoppedByPaperEnd = false;
  bool errorOccurred = false;
  // DLE EOT 3: error cause
  bool recoverableError = false;
  bool cutterError = false;
  bool unrecoverableError = false;
  bool autoRecoverableError = false;
  // DLE EOT 4: paper roll sensor
  bool paperNearEnd = false;
  bool paperEnd = false;

  bool operator==(const RealTimeStatus&) const = default;
};

// A DLE EOT reply: bits 1 and 4 set, bits 0 and 7 clear.
bool FitsRealTimeStatus(std::uint8_t reply);
// A GS r or GS I 1 to 3 reply: bits 4 and 7 clear.
bool FitsStatusReply(std::uint8_t reply);

// Takes the reply to DLE EOT n (1 to 4) into *status; false, with *status
// unchanged, when the byte does not fit the pattern.
bool ApplyRealTimeStatus(int n, std::uint8_t reply, RealTimeStatus* status);

// The four bytes of automatic status back (GS a): the first has bit 4 set and
// bits 0, 1 and 7 clear, the others bits 4 and 7 clear.
std::optional<RealTimeStatus> DecodeAutomaticStatus(std::span<const std::uint8_t> reply);

// Online, cover closed, paper present, no error. A paper near its end still
// prints.
bool IsReady(const RealTimeStatus& status);
// The status in words, one for each condition: "online" or "offline", "drawer
// open" or "drawer closed", then each condition that holds ("cover open",
// "paper end", "paper near end", "cutter error", ...).
std::vector<std::string> StatusWords(const RealTimeStatus& status);
// Why the printer is not ready, for a log: "paper end", "cover open, paper
// end", "offline" when it names no cause; empty when ready.
std::string FaultText(const RealTimeStatus& status);

// GS r 1: the paper sensor; nullopt when the byte does not fit.
struct PaperSensorStatus {
  bool nearEnd = false;
  bool paperEnd = false;
};
std::optional<PaperSensorStatus> DecodePaperSensorReply(std::uint8_t reply);

// The items GS I asks for, in the order they are shown.
struct IdentityItem {
  std::uint8_t n;
  const char* key;    // for JSON: "firmware"
  const char* label;  // for people: "firmware version"
};
std::span<const IdentityItem> IdentityItems();

// Whether `reply` holds the whole answer to GS I n: one byte for n 1 to 3;
// for 65 to 69 a "_", the text and a NUL. A reply that cannot become valid
// also counts as whole, so that reading stops.
bool IdentityReplyComplete(std::uint8_t n, std::span<const std::uint8_t> reply);
// The item as text: a one-byte ID as "0x20", the text of the others; nullopt
// when the reply does not fit its pattern.
std::optional<std::string> DecodeIdentityReply(std::uint8_t n, std::span<const std::uint8_t> reply);

// "10 04 01": bytes as hex pairs, for messages about replies.
std::string ReplyHex(std::span<const std::uint8_t> bytes);

}  // namespace kestrel
