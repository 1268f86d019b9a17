#include "commands/NamedJob.h"
#include "operations/SettingCommands.h"

namespace kestrel {

const std::vector<NamedJob>& SettingJobs() {
  static const std::vector<NamedJob> jobs = {
      {"selflearn", ComposeSelfLearn},
      {"locate", ComposeLocateStart},
      // The backfeed button writes whether or not the reopen succeeded.
      {"backfeed", ComposeBackfeed, /*writesWithoutConnection=*/true},
      {"density", ComposeDensity, false, /*reconnectsTwice=*/true},
      {"speed", ComposeSpeed},
      {"selftest", ComposeSelfTest},
      {"factoryreset", ComposeFactoryReset},
      {"blackmark-on", ComposeBlackMarkOn},
      {"blackmark-off", ComposeBlackMarkOff},
      {"printer-baud", ComposePrinterBaud, false, /*reconnectsTwice=*/true},
  };
  return jobs;
}

}  // namespace kestrel
