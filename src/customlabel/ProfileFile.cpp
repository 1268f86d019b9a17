#include "customlabel/ProfileFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include "customlabel/ProfileStorage.h"

namespace kestrel {
namespace {

// A line longer than this is cut while reading; no name or value that the
// program looks for comes close.
constexpr std::size_t kLineKeep = 4096;

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

// Hands each line, without its line end, to visit until visit returns false,
// the file ends or kProfileSizeLimit bytes are read. Returns false when the
// file cannot be opened.
template <typename Visit>
bool ScanLines(const std::string& path, Visit visit) {
  std::FILE* file = OpenRegularFile(path);
  if (!file) return false;
  std::vector<char> chunk(64 * 1024);
  std::string line;
  std::uintmax_t total = 0;
  bool more = true;
  while (more && total < kProfileSizeLimit) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
    if (got == 0) break;
    total += got;
    const char* at = chunk.data();
    const char* const end = at + got;
    while (more && at < end) {
      const char* newline = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
      const char* stop = newline ? newline : end;
      line.append(at, std::min<std::size_t>(static_cast<std::size_t>(stop - at), kLineKeep - line.size()));
      at = newline ? newline + 1 : end;
      if (!newline) break;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      more = visit(std::string_view(line));
      line.clear();
    }
  }
  if (more && !line.empty()) {
    if (line.back() == '\r') line.pop_back();
    visit(std::string_view(line));
  }
  std::fclose(file);
  return true;
}

// Lines as views into text; a changed or added line is kept in added.
std::vector<std::string_view> SplitLines(const std::string& text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
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

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& path, std::string_view section, std::string_view key) {
  std::optional<std::string> value;
  bool inSection = false;
  ScanLines(path, [&](std::string_view line) {
    if (const auto name = SectionName(line)) {
      if (inSection) return false;
      inSection = EqualNoCase(*name, section);
      return true;
    }
    if (!inSection) return true;
    const auto entry = SplitEntry(line);
    if (!entry || !EqualNoCase(entry->key, key)) return true;
    value = std::string(Unquoted(entry->value).substr(0, kProfileValueLimit));
    return false;
  });
  return value;
}

bool WriteProfileStrings(const std::string& path, std::string_view section, std::span<const ProfileEntry> entries) {
  for (const ProfileEntry& entry : entries)
    if (!Writable(section, entry)) return false;
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  std::vector<std::string_view> lines = SplitLines(text);
  std::deque<std::string> added;
  for (const ProfileEntry& entry : entries) ApplyEntry(lines, added, section, entry);
  std::string result;
  result.reserve(text.size() + lines.size() + 64 * entries.size());
  for (std::string_view line : lines) result.append(line).append("\r\n");
  return ReplaceFileText(path, result);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  const ProfileEntry entry{std::string(key), std::string(value)};
  return WriteProfileStrings(path, section, std::span(&entry, 1));
}

}  // namespace kestrel
