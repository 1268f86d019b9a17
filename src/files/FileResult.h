#pragma once

#include <string>

namespace kestrel {

// Why a file could not be read or written, in terms an operator can act on.
enum class FileProblem {
  None,
  NoPermission,  // the file, or its folder, may not be written (or read)
  NoSpace,       // the disk or the quota is full
  TooLarge,      // longer than the program reads
  NotAFile,      // a device, a named pipe or a folder is in its place
  Damaged,       // its contents cannot be taken apart safely
  Failed,        // anything else; the detail says what
};

// The outcome of a file operation: done, or the problem and the system's own
// words about it ("PATH: No space left on device").
struct FileResult {
  FileProblem problem = FileProblem::None;
  std::string detail;

  bool ok() const { return problem == FileProblem::None; }
  explicit operator bool() const { return ok(); }
  static FileResult Done() { return {}; }
  static FileResult Fail(FileProblem problem, std::string detail) { return {problem, std::move(detail)}; }
};

}  // namespace kestrel
