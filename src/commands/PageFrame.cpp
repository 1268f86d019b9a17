#include "commands/PageFrame.h"

#include "commands/Commands.h"

namespace kestrel {

bool OpenPageJob(const JobContext& context, const FrameOptions& options, std::int32_t width, std::int32_t height,
                 std::int32_t x, std::int32_t y) {
  BeginJob();
  const JobSettingsRecord& settings = context.settings;
  if (options.directionGuard && static_cast<std::uint32_t>(settings.PrintDirection) > 3) {
    cmd::EscFF();
    return false;
  }
  const bool sendCopies = options.copiesEvenWhileAging || (options.copies && !context.agingRunning);
  cmd::EscAt();
  if (options.paperBeforeCopies) cmd::EscC0(settings.PaperType);
  if (sendCopies) cmd::UsCopies(ReadPrintCopies(context.copiesText));
  if (!options.paperBeforeCopies) cmd::EscC0(settings.PaperType);
  cmd::EscL();
  if (options.speed) cmd::UsSpeed(ReadPrintSpeed(context.speedText));
  cmd::EscT(settings.PrintDirection);
  if (options.lineWidthBeforeArea >= 0) cmd::EscLineWidth(options.lineWidthBeforeArea);
  cmd::EscW(x, y, width, height);
  if (options.clearArea) cmd::CAN();
  if (options.zerosAfterClear) AppendBytes({0x00, 0x00});
  return true;
}

}  // namespace kestrel
