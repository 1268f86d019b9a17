#include <cstdio>
#include <string>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/JsonText.h"
#include "commands/NamedJob.h"
#include "language/TranslationMap.h"

namespace kestrel::cli {
namespace {

// The window's button that runs a job. Most buttons take their captions from
// the caption table; the label buttons and the hidden custom-label button keep
// their own, given here.
struct JobButtonCaption {
  const char* job;
  int button;
  const char* chinese = nullptr;
  const char* english = nullptr;
};

constexpr JobButtonCaption kJobButtonCaptions[] = {
    {"60x20", 1005, "60*20", "60*20"},
    {"60x30", 1006, "60*30", "60*30"},
    {"60x40", 1007, "60*40", "60*40"},
    {"60x50", 1009, "60*50", "60*50"},
    {"58x20", 1008, "58(48)*20", "58(48)*20"},
    {"58x30", 1014, "58(48)*30", "58(48)*30"},
    {"58x40", 1024, "58(48)*40", "58(48)*40"},
    {"58x50", 1015, "58(48)*50", "58(48)*50"},
    {"80x20", 1025, "80(72)*20", "80(72)*20"},
    {"80x30", 1026, "80(72)*30", "80(72)*30"},
    {"80x40", 1028, "80(72)*40", "80(72)*40"},
    {"80x50", 1027, "80(72)*50", "80(72)*50"},
    {"80x60", 1043, "80(72)*60", "80(72)*60"},
    {"picture", 1017},
    {"rectangle", 1018},
    {"circle", 1019},
    {"barcode", 1020},
    {"qrcode", 1021},
    {"beeper", 1032},
    {"cashdrawer", 1045},
    {"line1", 1046},
    {"line2", 1048},
    {"print1", 1049},
    {"print2", 1050},
    {"smallfont", 1084},
    {"custom", 1040, "打印自定义标签", "Print custom label"},
    {"selflearn", 1004},
    {"locate", 1016},
    {"backfeed", 1023},
    {"density", 1030},
    {"speed", 1074},
    {"selftest", 1081},
    {"factoryreset", 1080},
    {"blackmark-on", 1082},
    {"blackmark-off", 1083},
    {"printer-baud", 1086},
    {"standardmode", 1036},
};

// The job's button captions in Chinese and English; empty when no button runs it.
std::pair<std::string, std::string> JobCaptions(const std::string& job) {
  for (const JobButtonCaption& row : kJobButtonCaptions) {
    if (job != row.job) continue;
    if (row.chinese != nullptr) return {row.chinese, row.english};
    for (std::size_t i = 0; i < kCaptionCount; ++i)
      if (kCaptionTable[i].control == row.button) return {kCaptionTable[i].key, kCaptionTable[i].english};
  }
  return {};
}

void PrintJobsJson() {
  std::string json = "[";
  for (const JobGroup& group : JobGroups()) {
    for (const NamedJob& job : *group.jobs) {
      const auto [chinese, english] = JobCaptions(job.name);
      json += std::string(json.size() > 1 ? ",\n " : "\n ") + "{\"name\": " + JsonString(job.name) +
              ", \"kind\": " + JsonString(group.kind) + ", \"caption\": {\"zh\": " + JsonString(chinese) +
              ", \"en\": " + JsonString(english) + "}}";
    }
  }
  json += "\n]\n";
  WriteOut(json);
}

}  // namespace

int RunJobs(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  const std::string problem = ParseOptionsOnly("jobs", args, accepted, options);
  if (!problem.empty()) return UsageError(problem);
  if (options.extras.count("--json")) {
    PrintJobsJson();
    return 0;
  }
  for (const NamedJob& job : AllJobs()) PrintOut("%s\n", job.name);
  return 0;
}

}  // namespace kestrel::cli
