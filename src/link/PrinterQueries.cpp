#include "link/PrinterQueries.h"

#include "commands/StatusQueries.h"

namespace kestrel {
namespace {

using Reply = PrinterLink::Reply;

bool OneByte(std::span<const std::uint8_t> bytes) { return !bytes.empty(); }

std::string InvalidReply(const std::string& query, std::span<const std::uint8_t> bytes) {
  return "invalid reply to " + query + ": " + ReplyHex(bytes);
}

// The reason a query got no usable answer: silence, a part of a reply, or the
// link's own failure.
std::string Unanswered(const Reply& reply, const std::string& query) {
  if (reply.outcome == Reply::Outcome::kNoAnswer && !reply.bytes.empty())
    return "incomplete reply to " + query + " (" + ReplyHex(reply.bytes) + "), " + reply.error;
  return reply.error;
}

}  // namespace

StatusResult QueryStatus(PrinterLink& link, int timeoutMs) {
  StatusResult result;
  for (std::uint8_t n = 1; n <= 4; ++n) {
    const std::string query = "DLE EOT " + std::to_string(n);
    const Reply reply = link.Ask(cmd::DleEot(n), OneByte, timeoutMs);
    if (reply.outcome != Reply::Outcome::kAnswered) {
      result.reason = Unanswered(reply, query);
      return result;
    }
    if (reply.bytes.size() != 1 || !ApplyRealTimeStatus(n, reply.bytes[0], &result.status)) {
      result.reason = InvalidReply(query, reply.bytes);
      return result;
    }
    result.replies.push_back(reply.bytes[0]);
  }
  result.answered = true;
  return result;
}

IdentityResult QueryIdentity(PrinterLink& link, int timeoutMs) {
  IdentityResult result;
  int silentInARow = 0;
  for (const IdentityItem& item : IdentityItems()) {
    IdentityAnswer answer{item, std::nullopt, {}};
    // A printer that has answered nothing twice is not asked on: each item
    // would only wait out its time again.
    if (!result.answered && silentInARow >= 2) {
      answer.problem = result.reason;
      result.items.push_back(answer);
      continue;
    }
    const std::string query = "GS I " + std::to_string(item.n);
    const Reply reply = link.Ask(
        cmd::GsI(item.n), [n = item.n](std::span<const std::uint8_t> bytes) { return IdentityReplyComplete(n, bytes); },
        timeoutMs);
    if (reply.outcome == Reply::Outcome::kAnswered) {
      answer.value = DecodeIdentityReply(item.n, reply.bytes);
      if (!answer.value) answer.problem = InvalidReply(query, reply.bytes);
      silentInARow = 0;
      result.answered = true;
    } else {
      answer.problem = Unanswered(reply, query);
      if (reply.outcome != Reply::Outcome::kNoAnswer) silentInARow = 2;  // the link itself failed
      ++silentInARow;
      if (result.reason.empty()) result.reason = answer.problem;
    }
    result.items.push_back(answer);
  }
  if (result.answered) result.reason.clear();
  return result;
}

PrintedResult WaitUntilPrinted(PrinterLink& link, std::chrono::steady_clock::time_point firstByte, int timeoutMs) {
  PrintedResult result;
  const Reply reply = link.Ask(cmd::GsR(1), OneByte, timeoutMs);
  result.milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - firstByte).count();
  if (reply.outcome != Reply::Outcome::kAnswered) {
    result.reason = Unanswered(reply, "GS r 1");
    return result;
  }
  const std::optional<PaperSensorStatus> paper =
      reply.bytes.size() == 1 ? DecodePaperSensorReply(reply.bytes[0]) : std::nullopt;
  if (!paper) {
    result.reason = InvalidReply("GS r 1", reply.bytes);
    return result;
  }
  result.paper = *paper;
  result.printed = true;
  return result;
}

}  // namespace kestrel
