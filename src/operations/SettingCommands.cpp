#include "operations/SettingCommands.h"

#include "commands/Commands.h"
#include "operations/SettingTables.h"

namespace kestrel {

void ComposeSelfLearn(const JobContext& context) {
  BeginJob();
  cmd::EscC0(context.settings.PaperType);
  cmd::GsJ2();
}

void ComposeLocateStart(const JobContext& context) {
  BeginJob();
  cmd::EscC0(context.settings.PaperType);
  cmd::GsFF();
}

void ComposeBackfeed(const JobContext& context) {
  BeginJob();
  cmd::RsG(context.settings.BackfeedValue);
}

void ComposeDensity(const JobContext& context) {
  BeginJob();
  cmd::EscN4(context.densityIndex + 1);
}

void ComposeSpeed(const JobContext& context) {
  BeginJob();
  cmd::UsSpeed(ReadPrintSpeed(context.speedText));
  cmd::LF();
}

void ComposeSelfTest(const JobContext&) {
  BeginJob();
  cmd::UsSelfTest();
}

void ComposeFactoryReset(const JobContext&) {
  BeginJob();
  cmd::UsFactoryReset();
}

void ComposeBlackMarkOn(const JobContext&) {
  BeginJob();
  cmd::UsBlackMark(1);
}

void ComposeBlackMarkOff(const JobContext&) {
  BeginJob();
  cmd::UsBlackMark(0);
}

void ComposePrinterBaud(const JobContext& context) {
  BeginJob();
  cmd::EscN1(PrinterBaudCode(context.printerBaudText));
}

}  // namespace kestrel
