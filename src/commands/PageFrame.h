#pragma once

#include <cstdint>

#include "commands/JobSettings.h"

namespace kestrel {

// The steps of the page-mode job frame that differ between jobs.
struct FrameOptions {
  bool directionGuard = true;      // a direction above 3 makes the job 1B 0C alone
  bool copies = true;              // US U 8, left out while aging runs
  bool copiesEvenWhileAging = false;
  bool paperBeforeCopies = false;  // ESC c 0 ahead of US U 8
  bool speed = true;               // US U SP
  bool clearArea = true;           // CAN right after ESC W
  std::int32_t lineWidthBeforeArea = -1;  // ESC n between ESC T and ESC W when >= 0
  bool zerosAfterClear = false;    // two zero bytes after CAN
};

// The frame rows by job family.
inline constexpr FrameOptions kTestLabelFrame{};
inline constexpr FrameOptions kLabel60x40Frame{.paperBeforeCopies = true};
inline constexpr FrameOptions kLabel80x20Frame{.copies = false, .speed = false};
inline constexpr FrameOptions kPictureTestFrame{.directionGuard = false, .copies = false, .clearArea = false};
inline constexpr FrameOptions kAreaTestFrame{.directionGuard = false, .copies = false};  // rectangle, circle, bar code, QR
inline constexpr FrameOptions kLineTestFrame{.directionGuard = false, .copies = false};
inline constexpr FrameOptions kPrintTest1Frame{.speed = false};
inline constexpr FrameOptions kPrintTest2Frame{};
inline constexpr FrameOptions kSmallFontFrame{.directionGuard = false, .copiesEvenWhileAging = true};
inline constexpr FrameOptions kCustomLabelFrame{.directionGuard = false,
                                                .copies = false,
                                                .speed = false,
                                                .lineWidthBeforeArea = 2,
                                                .zerosAfterClear = true};

// Starts a page-mode job at index 0 of SendBuffer: ESC @, copies, paper type,
// ESC L, speed, direction, ESC W (x, y, width, height) and CAN, as the options
// say. Returns false when the direction guard made the whole job 1B 0C; the
// composer then adds nothing more.
bool OpenPageJob(const JobContext& context, const FrameOptions& options, std::int32_t width, std::int32_t height,
                 std::int32_t x = 0, std::int32_t y = 0);

}  // namespace kestrel
