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

AgingTickResult RunAgingTick(PrinterLink& link, const NamedJob& job, const JobContext& context, AgingHost& host) {
  RunJob(link, job, context);
  if (!link.Connected()) {
    StopWithMessage(host, "连接失败,已停止发送");
    return AgingTickResult::kNotConnected;
  }
  if (!link.WriteSendBuffer()) {
    StopWithMessage(host, "发送失败,已停止发送");
    return AgingTickResult::kSendFailed;
  }
  host.CountSuccessfulSend();
  return AgingTickResult::kSent;
}

}  // namespace kestrel
