#include "labels/Labels60mm.h"

namespace kestrel {

void ComposeLabel60x20(const JobContext&) {}
void ComposeLabel60x30(const JobContext&) {}
void ComposeLabel60x40(const JobContext&) {}
void ComposeLabel60x50(const JobContext&) {}

}  // namespace kestrel
