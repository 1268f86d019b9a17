#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "emulator/CommandWords.h"
#include "emulator/StreamDump.h"
#include "emulator/VirtualPrinter.h"

// The virtual printer's commands: dump a stream as commands, render it to
// pictures, and preview a job as the printer would print it.
namespace kestrel::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Streams larger than this are not read whole.
constexpr std::size_t kMaxStreamBytes = 64 << 20;

bool ReadStream(const std::string& path, Bytes* bytes, std::string* reason) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *reason = "cannot read " + path;
    return false;
  }
  // Read in pieces: a pipe or a device has no size to ask for first.
  char piece[65536];
  while (file.read(piece, sizeof piece) || file.gcount() > 0) {
    bytes->insert(bytes->end(), piece, piece + file.gcount());
    if (bytes->size() > kMaxStreamBytes) {
      *reason = path + " is larger than 64 MB";
      return false;
    }
  }
  if (file.bad()) *reason = "cannot read " + path;
  return !file.bad();
}

Bytes ComposeJob(const NamedJob& job, const CliOptions& options) {
  ApplyLanguage(options);
  BeginJob();
  job.compose(options.context);
  const auto composed = ComposedBytes();
  return Bytes(composed.begin(), composed.end());
}

void ReportProblems(const char* command, const Bytes& bytes, const emu::Rendering& rendering) {
  for (const emu::Command& decoded : rendering.problemCommands)
    std::fprintf(stderr, "kestrel-cli: %s: %s\n", command, emu::DumpLine(bytes, decoded).c_str());
  if (rendering.problems > rendering.problemCommands.size())
    std::fprintf(stderr, "kestrel-cli: %s: %zu problems in all\n", command, rendering.problems);
  for (const emu::Note& note : rendering.notes)
    std::fprintf(stderr, "kestrel-cli: %s: at %08zX: %s\n", command, note.offset, note.text.c_str());
}

// Renders the stream and writes its pictures: 0 done, 1 a problem in the
// stream or a picture not written.
ExitStatus RenderAndWrite(const char* command, const Bytes& bytes, int width, const std::string& output) {
  const emu::Rendering rendering = emu::RenderStream(bytes, width);
  ReportProblems(command, bytes, rendering);
  if (rendering.pages.empty()) std::fprintf(stderr, "kestrel-cli: %s: no page was printed\n", command);
  std::vector<std::string> written;
  std::string error;
  const bool allWritten = emu::WritePictures(output, rendering.pages, &written, &error);
  std::size_t index = 0;
  for (const emu::Page& page : rendering.pages)
    for (int copy = 0; copy < page.copies && index < written.size(); ++copy, ++index)
      PrintOut("page %zu: %d x %d dots, %s\n", index + 1, page.canvas.width(), page.canvas.height(),
               written[index].c_str());
  if (!allWritten) std::fprintf(stderr, "kestrel-cli: %s: %s\n", command, error.c_str());
  return allWritten && rendering.problems == 0 ? ExitStatus::kDone : ExitStatus::kNotWritten;
}

}  // namespace

ExitStatus RunDump(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseCommandLine(command, args, options)) return UsageError(&command, *problem);
  if (options.words.size() != 1) return UsageError(&command, "give one FILE or JOB");
  Bytes bytes;
  int width = emu::kWidth80mm;
  if (const NamedJob* job = FindJob(options.words[0])) {
    bytes = ComposeJob(*job, options);
    width = emu::PrintWidthOfJob(job->name);
  } else {
    std::string reason;
    if (!ReadStream(options.words[0], &bytes, &reason)) {
      std::fprintf(stderr, "kestrel-cli: dump: %s\n", reason.c_str());
      return ExitStatus::kNotWritten;
    }
  }
  const bool problems = emu::DumpStream(bytes, width, [](const std::string& line) { PrintOut("%s\n", line.c_str()); });
  return problems ? ExitStatus::kNotWritten : ExitStatus::kDone;
}

ExitStatus RunRender(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseCliOptions(args, command.options, options)) return UsageError(&command, *problem);
  if (options.words.size() != 1) return UsageError(&command, "give one FILE");
  if (!options.output) return UsageError(&command, "--output FILE.png is required");
  int width = emu::kWidth80mm;
  if (!ParseWidthOption(options, &width)) return UsageError(&command, "--width takes 8 to 2304 dots");
  Bytes bytes;
  std::string reason;
  if (!ReadStream(options.words[0], &bytes, &reason)) {
    std::fprintf(stderr, "kestrel-cli: render: %s\n", reason.c_str());
    return ExitStatus::kNotWritten;
  }
  return RenderAndWrite("render", bytes, width, *options.output);
}

ExitStatus RunPreview(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  if (!options.output) return UsageError(&command, "--output FILE.png is required");
  int width = emu::PrintWidthOfJob(job->name);
  if (!ParseWidthOption(options, &width)) return UsageError(&command, "--width takes 8 to 2304 dots");
  return RenderAndWrite("preview", ComposeJob(*job, options), width, *options.output);
}

}  // namespace kestrel::cli
