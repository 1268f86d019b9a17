#include "operations/AgingTest.h"

#include "language/TranslationMap.h"
#include "link/JobRunner.h"
#include "link/PrinterLink.h"

namespace kestrel {
namespace {

constexpr std::int32_t kDefaultInterval = 5000;
constexpr const char kCaption[] = "Kestrel";

void StopWithMessage(AgingHost& host, const char* source) {
  host.StopAging();
  host.ShowMessage(Translate(source), kCaption);
}

}  // namespace

std::int32_t AgingInterval(const std::string& text) {
  if (text.empty()) return kDefaultInterval;
  const std::int32_t interval = ParseDecimal(text);
  return interval < 1 ? kDefaultInterval : interval;
}

const NamedJob* AgingLabelJob(int index) {
  const std::vector<NamedJob>& labels = LabelJobs();
  if (index < 0 || index >= static_cast<int>(labels.size())) return nullptr;
  return &labels[static_cast<std::size_t>(index)];
}

void ApplyAgingTickResult(AgingTickResult result, AgingHost& host) {
  switch (result) {
    case AgingTickResult::kSent:
      host.CountSuccessfulSend();
      break;
    case AgingTickResult::kNotConnected:
      StopWithMessage(host, "连接失败,已停止发送");
      break;
    case AgingTickResult::kSendFailed:
      StopWithMessage(host, "发送失败,已停止发送");
      break;
  }
}

AgingTickResult RunAgingTick(PrinterLink& link, const NamedJob& job, const JobContext& context, AgingHost& host,
                             std::chrono::steady_clock::time_point* firstByte) {
  RunJob(link, job, context);
  AgingTickResult result = AgingTickResult::kNotConnected;
  if (firstByte != nullptr) *firstByte = std::chrono::steady_clock::now();
  if (link.Connected()) result = link.WriteSendBuffer() ? AgingTickResult::kSent : AgingTickResult::kSendFailed;
  ApplyAgingTickResult(result, host);
  return result;
}

}  // namespace kestrel
