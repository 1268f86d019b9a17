#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/OutputLimitOptions.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "emulator/CommandWords.h"
#include "emulator/Decoder.h"
#include "emulator/PictureSeries.h"
#include "emulator/VirtualPrinter.h"
#include "files/FileResult.h"

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

// Renders the stream, each picture written as soon as its page is printed:
// 0 done, 1 a picture not written, 4 problems in the stream (the pictures
// are written all the same), 5 a limit reached before every picture was
// written. A stream that prints nothing is not a failure by itself.
int RenderAndWrite(const char* command, const Bytes& bytes, int width, const std::string& output,
                   const emu::OutputLimits& limits) {
  const bool toStdout = output == "-";
  const auto report = [&](const emu::WrittenPicture& picture) {
    // With the pictures on stdout, their lines go to stderr.
    if (toStdout)
      std::fprintf(stderr, "kestrel-cli: %s: page %zu: %d x %d dots\n", command, picture.number, picture.width,
                   picture.height);
    else
      PrintOut("page %zu: %d x %d dots, %s\n", picture.number, picture.width, picture.height, picture.name.c_str());
  };
  emu::PictureSeries series(output, limits, report, [](std::string_view png) { WriteOut(png); });
  if (const FileResult target = series.CheckTarget(); !target.ok()) {
    std::fprintf(stderr, "kestrel-cli: %s: %s\n", command, target.detail.c_str());
    return 1;
  }
  std::size_t printed = 0;
  const emu::Rendering rendering = emu::RenderStream(bytes, width, false, [&](emu::Page&& page) {
    ++printed;
    series.Add(page.canvas, page.copies);
  });
  series.Finish();
  ReportProblems(command, bytes, rendering);
  if (printed == 0) std::fprintf(stderr, "kestrel-cli: %s: no page was printed\n", command);
  if (series.failure()) {
    std::fprintf(stderr, "kestrel-cli: %s: %s\n", command, series.failure()->c_str());
    return 1;
  }
  if (series.budget().reached()) {
    std::fprintf(stderr, "kestrel-cli: %s: %s reached: %llu pictures not written\n", command,
                 series.budget().LimitText().c_str(), static_cast<unsigned long long>(series.budget().refused()));
    return 5;
  }
  return rendering.problems == 0 ? 0 : 4;
}

}  // namespace

int RunDump(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  const std::string problem = ParseCliOptions(args, accepted, options);
  if (!problem.empty()) return UsageError("dump: " + problem);
  if (options.words.size() != 1) return UsageError("dump: give one FILE or JOB");
  Bytes bytes;
  if (const NamedJob* job = FindJob(options.words[0])) {
    bytes = ComposeJob(*job, options);
  } else {
    std::string reason;
    if (!ReadStream(options.words[0], &bytes, &reason)) {
      std::fprintf(stderr, "kestrel-cli: dump: %s\n", reason.c_str());
      return 1;
    }
  }
  bool problems = false;
  for (std::size_t offset = 0; offset < bytes.size();) {
    const emu::Command command = emu::DecodeCommand(bytes, offset);
    problems = problems || emu::IsProblem(command.op);
    PrintOut("%s\n", emu::DumpLine(bytes, command).c_str());
    offset += command.length;
  }
  return problems ? 4 : 0;
}

int RunRender(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  const std::string problem = ParseCliOptions(args, accepted, options);
  if (!problem.empty()) return UsageError("render: " + problem);
  if (options.words.size() != 1) return UsageError("render: give one FILE");
  if (!options.output) return UsageError("render: --output FILE.png is required");
  int width = emu::kWidth80mm;
  if (!ParseWidthOption(options, &width)) return UsageError("render: --width takes 8 to 2304 dots");
  Bytes bytes;
  std::string reason;
  if (!ReadStream(options.words[0], &bytes, &reason)) {
    std::fprintf(stderr, "kestrel-cli: render: %s\n", reason.c_str());
    return 1;
  }
  emu::OutputLimits limits;
  if (!ParseOutputLimits(options, &limits))
    return UsageError("render: --max-pages takes 1 to 1000000000 pages, --max-disk 1 to 1000000 MB");
  return RenderAndWrite("render", bytes, width, *options.output, limits);
}

int RunPreview(const Arguments& args, const OptionSet& accepted) {
  CliOptions options;
  const NamedJob* job = nullptr;
  const std::string problem = ParseJobCommand("preview", args, accepted, options, &job);
  if (!problem.empty()) return UsageError(problem);
  if (!options.output) return UsageError("preview: --output FILE.png is required");
  int width = emu::PrintWidthOfJob(job->name);
  if (!ParseWidthOption(options, &width)) return UsageError("preview: --width takes 8 to 2304 dots");
  emu::OutputLimits limits;
  if (!ParseOutputLimits(options, &limits))
    return UsageError("preview: --max-pages takes 1 to 1000000000 pages, --max-disk 1 to 1000000 MB");
  return RenderAndWrite("preview", ComposeJob(*job, options), width, *options.output, limits);
}

}  // namespace kestrel::cli
