#include "labels/Labels58mm.h"

namespace kestrel {

void ComposeLabel58x20(const JobContext&) {}
void ComposeLabel58x30(const JobContext&) {}
void ComposeLabel58x40(const JobContext&) {}
void ComposeLabel58x50(const JobContext&) {}

}  // namespace kestrel
