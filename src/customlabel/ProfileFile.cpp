#include "customlabel/ProfileFile.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

#include "customlabel/ProfileEncoding.h"
#include "customlabel/ProfileStorage.h"
#include "files/ReplaceFile.h"

namespace kestrel {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The name of a "[name]" line; a line without the closing bracket names up
// to its end.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return Trim(line.substr(0, line.find(']')));
}

struct EntryView {
  std::string_view key;
  std::string_view value;
};

std::optional<EntryView> SplitEntry(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return EntryView{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// A value written between a pair of single or double quotation marks reads
// without them, as the Windows profile service reads it.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
    return value.substr(1, value.size() - 2);
  return value;
}

// The first `limit` bytes of the file; empty when it cannot be read.
std::string ReadFileStart(const std::string& path, std::uintmax_t limit) {
  std::string text;
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return text;
  char chunk[64 * 1024];
  while (text.size() < limit) {
    const std::size_t got = std::fread(chunk, 1, std::min<std::uintmax_t>(sizeof chunk, limit - text.size()), file);
    if (got == 0) break;
    text.append(chunk, got);
  }
  std::fclose(file);
  return text;
}

// The lines of text without their line ends: CR LF, LF and a lone CR (as old
// Mac editors write) all end a line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

void ApplyEntry(std::vector<std::string_view>& lines, std::deque<std::string>& added, std::string_view section,
                const ProfileEntry& entry) {
  const auto keep = [&added](std::string line) { return std::string_view(added.emplace_back(std::move(line))); };
  std::size_t first = 0;
  while (first < lines.size() && !(SectionName(lines[first]) && EqualNoCase(*SectionName(lines[first]), section)))
    ++first;
  if (first == lines.size()) {
    lines.push_back(keep("[" + std::string(section) + "]"));
    lines.push_back(keep(entry.key + "=" + entry.value));
    return;
  }
  std::size_t insertAt = first + 1;
  for (std::size_t i = first + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
    const auto present = SplitEntry(lines[i]);
    if (present && EqualNoCase(present->key, entry.key)) {
      lines[i] = keep(std::string(present->key) + "=" + entry.value);
      return;
    }
    if (!Trim(lines[i]).empty()) insertAt = i + 1;
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), keep(entry.key + "=" + entry.value));
}

// A name or value that would break the line structure is refused rather than
// written as a line that reads back differently.
bool Writable(std::string_view section, const ProfileEntry& entry) {
  const auto breaksLine = [](std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; };
  return !breaksLine(section) && section.find(']') == std::string_view::npos && !breaksLine(entry.key) &&
         !Trim(entry.key).empty() && Trim(entry.key).front() != '[' && entry.key.find('=') == std::string::npos &&
         !breaksLine(entry.value);
}

FileResult Damaged(const std::string& path) {
  return FileResult::Fail(FileProblem::Damaged, path + ": UTF-16 text of an odd number of bytes");
}

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section, std::string_view key) {
  const std::string text = DecodeProfile(ReadFileStart(path, kProfileSizeLimit)).text;
  bool inSection = false;
  for (std::string_view line : SplitLines(text)) {
    if (const auto name = SectionName(line)) {
      if (inSection) break;
      inSection = EqualNoCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    const auto entry = SplitEntry(line);
    if (entry && EqualNoCase(entry->key, key)) return std::string(Unquoted(entry->value).substr(0, kProfileValueLimit));
  }
  return std::nullopt;
}

FileResult CheckProfileFile(const std::string& path) {
  std::string bytes;
  FileResult read = ReadWholeFile(path, kProfileSizeLimit, bytes);
  if (read.ok() && DecodeProfile(bytes).damaged) return Damaged(path);
  return read;
}

FileResult WriteProfileStrings(const std::string& path, std::string_view section,
                               std::span<const ProfileEntry> entries) {
  for (const ProfileEntry& entry : entries)
    if (!Writable(section, entry))
      return FileResult::Fail(FileProblem::Failed, path + ": \"" + entry.key + "\" cannot be written as a line");
  const std::string target = ResolveLinks(path);
  if (target.empty()) return FileResult::Fail(FileProblem::Failed, path + ": the links go round in a loop");
  // Read, change and replace under the lock, so that a save in another
  // program cannot slip in between and be undone.
  const ProfileLock lock(target);
  if (lock.Held()) RemoveStaleTemporaries(target);
  std::string bytes;
  if (FileResult read = ReadWholeFile(target, kProfileSizeLimit, bytes); !read.ok()) return read;
  if (FileResult writable = CheckWritable(target); !writable.ok()) return writable;
  const DecodedProfile decoded = DecodeProfile(bytes);
  if (decoded.damaged) return Damaged(path);
  std::vector<std::string_view> lines = SplitLines(decoded.text);
  std::deque<std::string> added;
  for (const ProfileEntry& entry : entries) ApplyEntry(lines, added, section, entry);
  std::string result;
  result.reserve(decoded.text.size() + lines.size() + 64 * entries.size());
  for (std::string_view line : lines) result.append(line).append("\r\n");
  return ReplaceFileContents(target, EncodeProfile(decoded.encoding, result), Durability::Flushed);
}

FileResult WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view value) {
  const ProfileEntry entry{std::string(key), std::string(value)};
  return WriteProfileStrings(path, section, std::span(&entry, 1));
}

}  // namespace kestrel
