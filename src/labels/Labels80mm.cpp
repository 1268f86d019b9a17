#include "labels/Labels80mm.h"

namespace kestrel {

void ComposeLabel80x20(const JobContext&) {}
void ComposeLabel80x30(const JobContext&) {}
void ComposeLabel80x40(const JobContext&) {}
void ComposeLabel80x50(const JobContext&) {}
void ComposeLabel80x60(const JobContext&) {}

}  // namespace kestrel
