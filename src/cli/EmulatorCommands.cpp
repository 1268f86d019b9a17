#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "cli/OutputLimitOptions.h"
#include "cli/ProcessIo.h"
#include "cli/SettingsFileCheck.h"
#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "emulator/CommandWords.h"
#include "emulator/PictureSeries.h"
#include "emulator/StreamDump.h"
#include "emulator/VirtualPrinter.h"
#include "files/FileResult.h"

// The virtual printer's commands: dump a stream as commands, render it to
// pictures, and preview a job as the printer would print it.
namespace kestrel::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Streams larger than this are not read whole.
constexpr std::size_t kMaxStreamBytes = 64 << 20;

// The whole stream ("-" reads standard input), or the status to end with
// after saying why it is not read: a file that cannot be read, one past the
// limit, or a terminal in the place of a stream.
std::optional<ExitStatus> ReadStream(const CliCommand& command, const std::string& path, Bytes* bytes) {
  const char* name = command.name;
  const bool fromStdin = path == "-";
  if (fromStdin && StdinIsTerminal())
    return UsageError(&command,
                      "stdin is a terminal; pipe the bytes in, as in `kestrel-cli compose 60x20 --output - | "
                      "kestrel-cli " +
                          std::string(name) + " -`");
  const std::string shown = fromStdin ? "stdin" : path;
  std::FILE* file = fromStdin ? StandardInput() : OpenFile(path, "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "kestrel-cli: %s: cannot read %s: %s\n", name, shown.c_str(), std::strerror(errno));
    return ExitStatus::kNotWritten;
  }
  // Read in pieces: a pipe or a device has no size to ask for first.
  std::optional<ExitStatus> status;
  char piece[65536];
  errno = 0;
  while (!status) {
    const std::size_t read = std::fread(piece, 1, sizeof piece, file);
    if (read == 0) break;
    bytes->insert(bytes->end(), piece, piece + read);
    if (bytes->size() > kMaxStreamBytes) {
      std::fprintf(stderr, "kestrel-cli: %s: %s is larger than 64 MB\n", name, shown.c_str());
      status = ExitStatus::kLimitReached;
    }
  }
  if (!status && std::ferror(file)) {
    std::fprintf(stderr, "kestrel-cli: %s: cannot read %s: %s\n", name, shown.c_str(),
                 std::strerror(errno != 0 ? errno : EIO));
    status = ExitStatus::kNotWritten;
  }
  if (!fromStdin) std::fclose(file);
  return status;
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

// Renders the stream, each picture written as soon as its page is printed.
// A stream that prints nothing is not a failure by itself; problems in the
// stream are their own status, and the pictures are written all the same.
ExitStatus RenderAndWrite(const char* command, const Bytes& bytes, int width, const std::string& output,
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
    return ExitStatus::kNotWritten;
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
    return ExitStatus::kNotWritten;
  }
  if (series.budget().reached()) {
    std::fprintf(stderr, "kestrel-cli: %s: %s reached: %llu pictures not written\n", command,
                 series.budget().LimitText().c_str(), static_cast<unsigned long long>(series.budget().refused()));
    return ExitStatus::kLimitReached;
  }
  return rendering.problems == 0 ? ExitStatus::kDone : ExitStatus::kStreamProblems;
}

}  // namespace

ExitStatus RunDump(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseCommandLine(command, args, options)) return UsageError(&command, *problem);
  if (options.words.size() != 1) return UsageError(&command, "give one FILE or JOB");
  Bytes bytes;
  int width = emu::kWidth80mm;
  if (const NamedJob* job = FindJob(options.words[0])) {
    if (const auto unreadable = CheckJobSettings(*job)) return *unreadable;
    bytes = ComposeJob(*job, options);
    width = emu::PrintWidthOfJob(job->name);
  } else {
    if (const auto unread = ReadStream(command, options.words[0], &bytes)) return *unread;
  }
  const bool problems = emu::DumpStream(bytes, width, [](const std::string& line) { PrintOut("%s\n", line.c_str()); });
  return problems ? ExitStatus::kStreamProblems : ExitStatus::kDone;
}

ExitStatus RunRender(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  if (const auto problem = ParseCliOptions(args, command.options, options)) return UsageError(&command, *problem);
  if (options.words.size() != 1) return UsageError(&command, "give one FILE");
  if (!options.output) return UsageError(&command, "--output FILE.png is required");
  int width = emu::kWidth80mm;
  if (!ParseWidthOption(options, &width)) return UsageError(&command, "--width takes 8 to 2304 dots");
  emu::OutputLimits limits;
  if (const auto problem = ParseOutputLimits(options, &limits)) return UsageError(&command, *problem);
  Bytes bytes;
  if (const auto unread = ReadStream(command, options.words[0], &bytes)) return *unread;
  return RenderAndWrite("render", bytes, width, *options.output, limits);
}

ExitStatus RunPreview(const Arguments& args, const CliCommand& command) {
  CliOptions options;
  const NamedJob* job = nullptr;
  if (const auto problem = ParseJobCommand(command, args, options, &job)) return UsageError(&command, *problem);
  if (const auto unreadable = CheckJobSettings(*job)) return *unreadable;
  if (!options.output) return UsageError(&command, "--output FILE.png is required");
  int width = emu::PrintWidthOfJob(job->name);
  if (!ParseWidthOption(options, &width)) return UsageError(&command, "--width takes 8 to 2304 dots");
  emu::OutputLimits limits;
  if (const auto problem = ParseOutputLimits(options, &limits)) return UsageError(&command, *problem);
  return RenderAndWrite("preview", ComposeJob(*job, options), width, *options.output, limits);
}

}  // namespace kestrel::cli
