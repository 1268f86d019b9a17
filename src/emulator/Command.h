#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrel::emu {

struct CommandForm;

// What a decoded command does. The last three are problems in the stream.
enum class Op : std::uint8_t {
  Text,
  Nul,
  LineFeed,
  CarriageReturn,
  Tab,
  FormFeed,
  Cancel,
  PrintPage,
  Initialize,
  SetX,
  SetY,
  Beep,
  Emphasis,
  DoubleStrike,
  Underline,
  PageMode,
  Font,
  StandardMode,
  Direction,
  PrintArea,
  Justify,
  PaperType,
  DrawerPulse,
  CodeTable,
  RightSpacing,
  PrintMode,
  FeedDots,
  FeedLines,
  DefaultLineSpacing,
  LineSpacing,
  LocateLabel,
  CharacterSize,
  QrCode,
  Reverse,
  BarTextPosition,
  BarHeight,
  Barcode,
  Raster,
  ModuleWidth,
  Cut,
  ChineseOn,
  ChineseOff,
  SerialRate,
  Density,
  DrawLine,
  DrawRect,
  LineWidth,
  DrawCircle,
  SelfLearn,
  Backfeed,
  SelfTest,
  FactoryReset,
  SmallFont,
  Speed,
  BlackMark,
  Copies,
  // Standard commands added to Kestrel's own vocabulary.
  RelativeX,
  RelativeY,
  BitImage,
  Graphics,
  NvBitImage,
  DefineNvBitImages,
  DefineDownloadedImage,
  PrintDownloadedImage,
  UpsideDown,
  Rotate,
  ChineseUnderline,
  ChineseSpacing,
  LeftMargin,
  AreaWidth,
  HriFont,
  PrintAndReverseFeed,
  StatusQuery,      // DLE EOT
  RealTimeRequest,  // DLE ENQ
  RealTimeCommand,  // DLE DC4
  IdQuery,          // GS I
  StatusRequest,    // GS r
  AutoStatus,       // GS a
  NoEffect,         // consumed whole; the form says why nothing changes
  Unknown,          // a prefix byte followed by a byte that names no command
  CutShort,         // the stream ends inside the command
  BadByte,          // a byte that starts neither a command nor a character
};

inline bool IsProblem(Op op) { return op >= Op::Unknown; }

// One command of a byte stream. The numbers are its parameters in the order
// they are sent; data (text, bar code data, raster bits, a QR function's
// bytes) is a range of the stream, not a copy.
struct Command {
  std::size_t offset = 0;
  std::size_t length = 0;
  Op op = Op::Unknown;
  const char* name = "";
  const CommandForm* form = nullptr;  // how it is written; none for text and the problems
  std::array<std::int32_t, 6> args{};
  std::size_t dataOffset = 0;
  std::size_t dataLength = 0;
  // Text only: the character code table its bytes are read in, or
  // kChineseText while Chinese character mode is on.
  std::int32_t codeTable = kChineseText;
  static constexpr std::int32_t kChineseText = -1;
};

}  // namespace kestrel::emu
