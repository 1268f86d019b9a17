#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <vector>

namespace kestrel::test {

// "1B 40 0A" -> {0x1B, 0x40, 0x0A}; blanks and line breaks between pairs are ignored.
std::vector<std::uint8_t> Hex(const std::string& text);
std::string ToHex(std::span<const std::uint8_t> bytes);

// Compares a whole byte sequence; on failure prints both as hex and the first
// index where they part.
::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, std::span<const std::uint8_t> expected);
::testing::AssertionResult BytesEqual(std::span<const std::uint8_t> actual, const std::string& expectedHex);

// The bytes composed in SendBuffer.
std::vector<std::uint8_t> Composed();

// A fixed local time for composers: 2024-03-05 14:07:09.
std::tm FixedTime(int year = 2024, int month = 3, int day = 5, int hour = 14, int minute = 7, int second = 9);

// A whole file's bytes; empty when it cannot be read.
std::string ReadText(const std::string& path);
// Replaces a file's bytes, making its missing folders first.
void WriteText(const std::string& path, const std::string& text);

// Makes a fresh temporary folder and removes it again.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kestrel::test

#define EXPECT_BYTES(actual, expected) EXPECT_TRUE(::kestrel::test::BytesEqual((actual), (expected)))
