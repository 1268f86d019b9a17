#pragma once

#include <cstdint>

#include "commands/SendBuffer.h"

namespace kestrel {

// GS ! character sizes, ESC E modes and US RS fonts the jobs use.
inline constexpr std::int32_t kNormalSize = 0x00;
inline constexpr std::int32_t kDoubleHeight = 0x01;
inline constexpr std::int32_t kDoubleSize = 0x11;
inline constexpr std::int32_t kEmphasisOff = 0x00;
inline constexpr std::int32_t kSmallFont = 2;
inline constexpr std::int32_t kNormalFont = 1;

}  // namespace kestrel

// The command vocabulary, grouped as a printer manual groups it. Each builder
// appends one command to SendBuffer; 16-bit values go out as nL nH.
namespace kestrel::cmd {

// --- ESC/POS: basic and page mode ---------------------------------------
inline void LF() { AppendBytes({0x0A}); }           // LF
inline void FF() { AppendBytes({0x0C}); }           // FF: print page, back to standard mode
inline void CAN() { AppendBytes({0x18}); }          // CAN: clear the print area
inline void EscFF() { AppendBytes({0x1B, 0x0C}); }  // ESC FF: print the page
inline void EscAt() { AppendBytes({0x1B, 0x40}); }  // ESC @: initialize
inline void EscL() { AppendBytes({0x1B, 0x4C}); }   // ESC L: page mode
inline void EscS() { AppendBytes({0x1B, 0x53}); }   // ESC S: standard mode
inline void EscT(std::int32_t direction) {          // ESC T n: print direction
  AppendBytes({0x1B, 0x54});
  AppendByte(direction);
}
inline void EscW(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {  // ESC W: print area
  AppendBytes({0x1B, 0x57});
  AppendU16(x);
  AppendU16(y);
  AppendU16(w);
  AppendU16(h);
}

// --- ESC/POS: positions ----------------------------------------------------
inline void EscDollar(std::int32_t x) {  // ESC $ nL nH: absolute horizontal position
  AppendBytes({0x1B, 0x24});
  AppendU16(x);
}
inline void GsDollar(std::int32_t y) {  // GS $ nL nH: absolute vertical position (page mode)
  AppendBytes({0x1D, 0x24});
  AppendU16(y);
}
inline void Position(std::int32_t x, std::int32_t y) {
  EscDollar(x);
  GsDollar(y);
}

// --- ESC/POS: characters -----------------------------------------------------
inline void EscE(std::int32_t mode) {  // ESC E n: emphasized
  AppendBytes({0x1B, 0x45});
  AppendByte(mode);
}
inline void EscM(std::int32_t font) {  // ESC M n: font A (0) or B (1)
  AppendBytes({0x1B, 0x4D});
  AppendByte(font);
}
inline void GsExclaim(std::int32_t size) {  // GS ! n: character size
  AppendBytes({0x1D, 0x21});
  AppendByte(size);
}
inline void GsB(std::int32_t reverse) {  // GS B n: white/black reverse
  AppendBytes({0x1D, 0x42});
  AppendByte(reverse);
}
inline void GsH(std::int32_t position) {  // GS H n: human-readable text of bar codes
  AppendBytes({0x1D, 0x48});
  AppendByte(position);
}

// --- ESC/POS: paper and devices ----------------------------------------------
inline void EscC0(std::int32_t paperType) {  // ESC c 0 n: paper type
  AppendBytes({0x1B, 0x63, 0x30});
  AppendByte(paperType);
}
inline void GsFF() { AppendBytes({0x1D, 0x0C}); }            // GS FF: feed label to print start
inline void EscB(std::int32_t beeps, std::int32_t length) {  // ESC B n t: beeper
  AppendBytes({0x1B, 0x42});
  AppendByte(beeps);
  AppendByte(length);
}
inline void EscP(std::int32_t pin, std::int32_t onTime, std::int32_t offTime) {  // ESC p m t1 t2: drawer pulse
  AppendBytes({0x1B, 0x70});
  AppendByte(pin);
  AppendByte(onTime);
  AppendByte(offTime);
}

// --- Vendor: page-mode drawing -------------------------------------------------
inline void EscLineWidth(std::int32_t width) {  // ESC n: line width of following rectangles
  AppendBytes({0x1B, 0x6E});
  AppendByte(width);
}
inline void EscRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {  // ESC m: rectangle frame
  AppendBytes({0x1B, 0x6D});
  AppendU16(x);
  AppendU16(y);
  AppendU16(w);
  AppendU16(h);
}
inline void EscLine(std::int32_t width, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                    std::int32_t y1) {  // ESC l: straight line
  AppendBytes({0x1B, 0x6C});
  AppendByte(width);
  AppendU16(x0);
  AppendU16(y0);
  AppendU16(x1);
  AppendU16(y1);
}
inline void EscCircle(std::int32_t x, std::int32_t y, std::int32_t r) {  // ESC o: circle
  AppendBytes({0x1B, 0x6F});
  AppendU16(x);
  AppendU16(y);
  AppendU16(r);
}

// --- Vendor: printer settings ----------------------------------------------------
inline void EscN1(std::int32_t rateCode) {  // ESC N 1 n: printer serial rate
  AppendBytes({0x1B, 0x4E, 0x01});
  AppendByte(rateCode);
}
inline void EscN4(std::int32_t density) {  // ESC N 4 n: print density
  AppendBytes({0x1B, 0x4E, 0x04});
  AppendByte(density);
}
inline void GsJ2() { AppendBytes({0x1D, 0x6A, 0x02, 0x00}); }  // GS j 2 0: label self-learning
inline void RsG(std::int32_t amount) {                         // RS G nL nH: backfeed
  AppendBytes({0x1E, 0x47});
  AppendU16(amount);
}
inline void UsSelfTest() { AppendBytes({0x1F, 0x11, 0x04}); }      // US DC1 EOT
inline void UsFactoryReset() { AppendBytes({0x1F, 0x1B, 0x19}); }  // US ESC EM
inline void UsFont(std::int32_t font) {                            // US RS n: 2 small, 1 normal
  AppendBytes({0x1F, 0x1E});
  AppendByte(font);
}
inline void UsSpeed(std::int32_t speed) {  // US U SP n: print speed
  AppendBytes({0x1F, 0x55, 0x20});
  AppendByte(speed);
}
inline void UsBlackMark(std::int32_t on) {  // US U 7 n: black-mark detection
  AppendBytes({0x1F, 0x55, 0x37});
  AppendByte(on);
}
inline void UsCopies(std::int32_t copies) {  // US U 8 n: print the page n times
  AppendBytes({0x1F, 0x55, 0x38});
  AppendByte(copies);
}

}  // namespace kestrel::cmd
