#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
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

// A path given in UTF-8, as the program keeps its paths on every system.
std::filesystem::path Utf8Path(const std::string& path);

// A whole file's bytes; empty when it cannot be read.
std::string ReadText(const std::string& path);
// Replaces a file's bytes, making its missing folders first.
void WriteText(const std::string& path, const std::string& text);

// A pseudo-terminal pair standing in for a printer on a serial line: the
// program opens the slave path as its port, the test reads the master.
class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  const std::string& slavePath() const { return slavePath_; }
  int master() const { return master_; }
  // Reads until `count` bytes arrived or the time is up.
  std::vector<std::uint8_t> Read(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(3));
  // Appends what arrives within `pollMs`.
  void ReadAvailable(std::vector<std::uint8_t>& bytes, int pollMs = 0);
  // Closes the master: the line's other end hangs up.
  void Close();
  // Sets the line raw, as a port the program opens without line settings
  // (a printer node) would pass its bytes: unchanged.
  void MakeRaw();
  // Sets the line raw and fills it from the program's side until it takes
  // no more, as a printer that stopped reading leaves it.
  // Returns how many bytes it wrote.
  std::size_t Stall();

 private:
  int master_ = -1;
  std::string slavePath_;
};

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
