#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "commands/SendBuffer.h"

namespace kestrel::test {

std::vector<std::uint8_t> Hex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    int value;
    if (c >= '0' && c <= '9')
      value = c - '0';
    else if (c >= 'A' && c <= 'F')
      value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      value = c - 'a' + 10;
    else
      continue;
    if (high < 0) {
      high = value;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + value));
      high = -1;
    }
  }
  EXPECT_LT(high, 0) << "odd number of hex digits in: " << text;
  return bytes;
}

std::string ToHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char pair[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(pair, sizeof(pair), i ? " %02X" : "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, std::span<const std::uint8_t> expected) {
  if (actual.size() == expected.size() && std::equal(actual.begin(), actual.end(), expected.begin()))
    return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << "bytes differ at index " << at << " (actual " << actual.size()
                                       << " bytes, expected " << expected.size() << ")\n  actual:   " << ToHex(actual)
                                       << "\n  expected: " << ToHex(expected);
}

::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, const std::string& expectedHex) {
  const std::vector<std::uint8_t> expected = Hex(expectedHex);
  return BytesEqual(actual, std::span<const std::uint8_t>(expected));
}

std::vector<std::uint8_t> Composed() {
  auto bytes = ComposedBytes();
  return {bytes.begin(), bytes.end()};
}

std::tm FixedTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

std::filesystem::path Utf8Path(const std::string& path) { return std::u8string(path.begin(), path.end()); }

std::string ReadText(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::error_code ignored;
  std::filesystem::create_directories(Utf8Path(path).parent_path(), ignored);
  std::ofstream(Utf8Path(path), std::ios::binary | std::ios::trunc) << text;
}

// A name nobody holds yet: creating the folder fails when it exists, so two
// runs can never share one.
TempDir::TempDir() {
  namespace fs = std::filesystem;
  static std::mt19937_64 names{std::random_device{}()};
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "kestrel-test-%012llx",
                  static_cast<unsigned long long>(names() & 0xFFFFFFFFFFFFull));
    const fs::path candidate = base / name;
    if (fs::create_directory(candidate, error)) {
      fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, error);
      path_ = candidate.generic_string();
      return;
    }
  }
  ADD_FAILURE() << "cannot make a temporary folder under " << base;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kestrel::test
