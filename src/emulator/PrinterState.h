#pragma once

#include <cstdint>
#include <vector>

#include "emulator/Canvas.h"

namespace kestrel::emu {

// How characters print: ESC !, ESC E, ESC -, ESC M, ESC SP, ESC V, GS !, GS B,
// FS - and FS S.
struct TextStyle {
  bool fontB = false;
  bool small = false;  // the vendor's small font, US RS 2
  bool emphasized = false;
  bool reverse = false;  // white on black
  bool rotated = false;  // turned 90 degrees clockwise
  int underline = 0;
  int chineseUnderline = 0;
  int widthMultiple = 1;
  int heightMultiple = 1;
  int rightSpacing = 0;
  int chineseLeft = 0;
  int chineseRight = 0;
};

// A character or a bit image waiting on the standard-mode line, drawn at
// scaleX x scaleY dots a dot.
struct LineItem {
  Canvas picture;
  int x = 0;
  int advance = 0;
  int scaleX = 1;
  int scaleY = 1;
  bool emphasized = false;
  int underline = 0;
};

// A picture stored in the printer and printed by a later command (GS ( L
// graphics, FS q NV bit images), with the scale it prints at.
struct StoredImage {
  Canvas dots;
  int scaleX = 1;
  int scaleY = 1;
};

// PDF417 settings of GS ( k 30.
struct Pdf417Settings {
  int columns = 0;  // 0: as many as the data needs
  int rows = 0;
  int moduleWidth = 3;
  int rowHeight = 3;    // in module widths
  int errorLevel = -1;  // -1: from the data's size
  bool truncated = false;
};

// Everything ESC @ puts back as the printer has it when it is switched on;
// what is not here (the paper already printed, the settings of the vendor's
// setting commands, NV images) survives ESC @.
struct PrinterState {
  TextStyle style;
  int lineSpacing = 30;
  int justification = 0;
  int leftMargin = 0;       // GS L
  int areaWidth = 0xFFFF;   // GS W; the head's width when wider
  bool upsideDown = false;  // ESC {

  // Bar codes and two-dimensional codes.
  int barHeight = 162;
  int moduleWidth = 3;
  int barTextPosition = 0;
  bool barTextFontB = false;
  int qrModule = 3;
  int qrLevel = 48;
  std::vector<std::uint8_t> qrData;
  Pdf417Settings pdf417;
  std::vector<std::uint8_t> pdf417Data;
  StoredImage graphics;    // GS ( L fn 112, printed by fn 50
  StoredImage downloaded;  // GS *, printed by GS /

  // Page mode: the print area's size, the print position, the drawing.
  bool pageMode = false;
  int direction = 0;
  int lineWidth = 1;
  int areaX = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  int pageReach = 0;  // the right edge of the widest shape drawn, past the area's when wider
  int x = 0;
  int y = 0;
  int lineHeight = 0;

  // Standard mode: the line being filled.
  std::vector<LineItem> line;
  int lineX = 0;
  int lineTall = 0;
};

}  // namespace kestrel::emu
