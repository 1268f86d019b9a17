#pragma once

#include "commands/JobSettings.h"

namespace kestrel {

// The setting buttons' sequences. Each starts a job (SendLength = 0) and
// writes its few bytes without the page-mode frame.
void ComposeSelfLearn(const JobContext& context);     // ESC c 0 p, GS j 2 0
void ComposeLocateStart(const JobContext& context);   // ESC c 0 p, GS FF
void ComposeBackfeed(const JobContext& context);      // RS G, low 16 bits of BackfeedValue
void ComposeDensity(const JobContext& context);       // ESC N 4, list index + 1
void ComposeSpeed(const JobContext& context);         // US U SP s, LF
void ComposeSelfTest(const JobContext& context);      // US DC1 EOT
void ComposeFactoryReset(const JobContext& context);  // US ESC EM
void ComposeBlackMarkOn(const JobContext& context);   // US U 7 1
void ComposeBlackMarkOff(const JobContext& context);  // US U 7 0
void ComposePrinterBaud(const JobContext& context);   // ESC N 1, code of the rate text

}  // namespace kestrel
