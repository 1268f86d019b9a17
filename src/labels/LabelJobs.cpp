#include "commands/NamedJob.h"
#include "labels/Labels58mm.h"
#include "labels/Labels60mm.h"
#include "labels/Labels80mm.h"

namespace kestrel {

// In the order of the label-size lists (1012 and the aging list 1075).
const std::vector<NamedJob>& LabelJobs() {
  static const std::vector<NamedJob> jobs = {
      {"60x20", ComposeLabel60x20}, {"60x30", ComposeLabel60x30}, {"60x40", ComposeLabel60x40},
      {"60x50", ComposeLabel60x50}, {"58x20", ComposeLabel58x20}, {"58x30", ComposeLabel58x30},
      {"58x40", ComposeLabel58x40}, {"58x50", ComposeLabel58x50}, {"80x20", ComposeLabel80x20},
      {"80x30", ComposeLabel80x30}, {"80x40", ComposeLabel80x40}, {"80x50", ComposeLabel80x50},
      {"80x60", ComposeLabel80x60},
  };
  return jobs;
}

}  // namespace kestrel
