#include "emulator/CommandForms.h"

namespace kestrel::emu {
namespace {

// Why a command that is read whole leaves no mark on the paper.
constexpr const char* kAnswers = "a request for the printer's answer; nothing prints";
constexpr const char* kNoDevice = "no peripheral device or customer display is attached";
constexpr const char* kUserCharacters = "user-defined characters are not kept; the built-in ones print";
constexpr const char* kMacros = "macros are not recorded";
constexpr const char* kMechanism = "a setting of the mechanism; nothing to draw";
constexpr const char* kMemory = "the printer's own memory is not kept";
constexpr const char* kOneColour = "the paper takes one colour";
constexpr const char* kNoRollBack = "the paper does not move backwards";
constexpr const char* kCharacterSets = "international character sets are not kept; ASCII prints";
constexpr const char* kKanji = "Kanji settings; characters print as GB18030";
constexpr const char* kBarcodeSettings = "two-dimensional code settings that print nothing here";

// The printer's vocabulary as a manual lists it: ESC/POS first, then the
// vendor's commands named by the ASCII names of their bytes.
constexpr CommandForm kForms[] = {
    // Basic and page mode
    {{0x00}, 1, Op::Nul, "NUL", "nothing", "", {}},
    {{0x09}, 1, Op::Tab, "HT", "horizontal tab", "", {}},
    {{0x0A}, 1, Op::LineFeed, "LF", "print and feed one line", "", {}},
    {{0x0C}, 1, Op::FormFeed, "FF", "print the page, back to standard mode", "", {}},
    {{0x0D}, 1, Op::CarriageReturn, "CR", "carriage return", "", {}},
    {{0x18}, 1, Op::Cancel, "CAN", "clear the print area", "", {}},
    {{0x1B, 0x0C}, 2, Op::PrintPage, "ESC FF", "print the page", "", {}},
    {{0x1B, 0x40}, 2, Op::Initialize, "ESC @", "initialize", "", {}},
    {{0x1B, 0x4C}, 2, Op::PageMode, "ESC L", "page mode", "", {}},
    {{0x1B, 0x53}, 2, Op::StandardMode, "ESC S", "standard mode", "", {}},
    {{0x1B, 0x54}, 2, Op::Direction, "ESC T", "print direction", "b", {"direction"}},
    {{0x1B, 0x57}, 2, Op::PrintArea, "ESC W", "print area", "wwww", {"x", "y", "width", "height"}},
    {{0x1D, 0x4C}, 2, Op::LeftMargin, "GS L", "left margin", "w", {"dots"}},
    {{0x1D, 0x57}, 2, Op::AreaWidth, "GS W", "print area width", "w", {"dots"}},
    {{0x1B, 0x7B}, 2, Op::UpsideDown, "ESC {", "upside-down printing", "b", {"mode"}},
    // Positions and line spacing
    {{0x1B, 0x24}, 2, Op::SetX, "ESC $", "horizontal position", "w", {"x"}},
    {{0x1D, 0x24}, 2, Op::SetY, "GS $", "vertical position", "w", {"y"}},
    {{0x1B, 0x5C}, 2, Op::RelativeX, "ESC \\", "relative horizontal position", "w", {"dots"}},
    {{0x1D, 0x5C}, 2, Op::RelativeY, "GS \\", "relative vertical position", "w", {"dots"}},
    {{0x1B, 0x44}, 2, Op::NoEffect, "ESC D", "horizontal tab positions", "*", {}, "tab positions are not kept"},
    {{0x1B, 0x20}, 2, Op::RightSpacing, "ESC SP", "character right spacing", "b", {"dots"}},
    {{0x1B, 0x32}, 2, Op::DefaultLineSpacing, "ESC 2", "default line spacing", "", {}},
    {{0x1B, 0x33}, 2, Op::LineSpacing, "ESC 3", "line spacing", "b", {"dots"}},
    {{0x1B, 0x4A}, 2, Op::FeedDots, "ESC J", "print and feed", "b", {"dots"}},
    {{0x1B, 0x64}, 2, Op::FeedLines, "ESC d", "print and feed lines", "b", {"lines"}},
    {{0x1B, 0x4B}, 2, Op::PrintAndReverseFeed, "ESC K", "print and reverse feed", "b", {"dots"}, kNoRollBack},
    {{0x1B, 0x65}, 2, Op::PrintAndReverseFeed, "ESC e", "print and reverse feed lines", "b", {"lines"}, kNoRollBack},
    {{0x1B, 0x61}, 2, Op::Justify, "ESC a", "justification", "b", {"mode"}},
    // Characters
    {{0x1B, 0x21}, 2, Op::PrintMode, "ESC !", "print mode", "b", {"mode"}},
    {{0x1B, 0x2D}, 2, Op::Underline, "ESC -", "underline", "b", {"mode"}},
    {{0x1B, 0x45}, 2, Op::Emphasis, "ESC E", "emphasized", "b", {"mode"}},
    {{0x1B, 0x47}, 2, Op::DoubleStrike, "ESC G", "double strike", "b", {"mode"}},
    {{0x1B, 0x4D}, 2, Op::Font, "ESC M", "character font", "b", {"font"}},
    {{0x1B, 0x56}, 2, Op::Rotate, "ESC V", "90 degree rotation", "b", {"mode"}},
    {{0x1B, 0x74}, 2, Op::CodeTable, "ESC t", "character code table", "b", {"table"}},
    {{0x1B, 0x52}, 2, Op::NoEffect, "ESC R", "international character set", "b", {"set"}, kCharacterSets},
    {{0x1B, 0x25}, 2, Op::NoEffect, "ESC %", "user-defined character set", "b", {"mode"}, kUserCharacters},
    {{0x1B, 0x26}, 2, Op::NoEffect, "ESC &", "define user-defined characters", "*", {}, kUserCharacters},
    {{0x1B, 0x3F}, 2, Op::NoEffect, "ESC ?", "cancel a user-defined character", "b", {"code"}, kUserCharacters},
    {{0x1B, 0x72}, 2, Op::NoEffect, "ESC r", "print colour", "b", {"colour"}, kOneColour},
    {{0x1D, 0x21}, 2, Op::CharacterSize, "GS !", "character size", "b", {"size"}},
    {{0x1D, 0x42}, 2, Op::Reverse, "GS B", "white/black reverse", "b", {"mode"}},
    {{0x1D, 0x62}, 2, Op::NoEffect, "GS b", "smoothing", "b", {"mode"}, "the dots are printed as they are"},
    {{0x1C, 0x21}, 2, Op::NoEffect, "FS !", "Kanji print mode", "b", {"mode"}, kKanji},
    {{0x1C, 0x26}, 2, Op::ChineseOn, "FS &", "Chinese character mode on", "", {}},
    {{0x1C, 0x2E}, 2, Op::ChineseOff, "FS .", "Chinese character mode off", "", {}},
    {{0x1C, 0x2D}, 2, Op::ChineseUnderline, "FS -", "Chinese character underline", "b", {"mode"}},
    {{0x1C, 0x53}, 2, Op::ChineseSpacing, "FS S", "Chinese character spacing", "bb", {"left", "right"}},
    {{0x1C, 0x57}, 2, Op::NoEffect, "FS W", "Kanji quadruple size", "b", {"mode"}, kKanji},
    {{0x1C, 0x43}, 2, Op::NoEffect, "FS C", "Kanji code system", "b", {"system"}, kKanji},
    {{0x1C, 0x32}, 2, Op::NoEffect, "FS 2", "define a user-defined Kanji character", "*", {}, kUserCharacters},
    {{0x1C, 0x3F},
     2,
     Op::NoEffect,
     "FS ?",
     "cancel a user-defined Kanji character",
     "bb",
     {"c1", "c2"},
     kUserCharacters},
    {{0x1C, 0x28, 0x41}, 3, Op::NoEffect, "FS ( A", "Kanji character settings", "n", {"bytes"}, kKanji},
    {{0x1C, 0x28, 0x43}, 3, Op::NoEffect, "FS ( C", "character code settings", "n", {"bytes"}, kKanji},
    {{0x1C, 0x28, 0x45}, 3, Op::NoEffect, "FS ( E", "receipt enhancement", "n", {"bytes"}, kMechanism},
    {{0x1C, 0x28, 0x4C}, 3, Op::NoEffect, "FS ( L", "label and black mark control", "n", {"bytes"}, kMechanism},
    {{0x1C, 0x28, 0x65}, 3, Op::NoEffect, "FS ( e", "automatic status back", "n", {"bytes"}, kAnswers},
    // Bar codes, two-dimensional codes and images
    {{0x1D, 0x48}, 2, Op::BarTextPosition, "GS H", "bar code text position", "b", {"position"}},
    {{0x1D, 0x66}, 2, Op::HriFont, "GS f", "bar code text font", "b", {"font"}},
    {{0x1D, 0x68}, 2, Op::BarHeight, "GS h", "bar code height", "b", {"dots"}},
    {{0x1D, 0x77}, 2, Op::ModuleWidth, "GS w", "bar code module width", "b", {"dots"}},
    {{0x1D, 0x6B}, 2, Op::Barcode, "GS k", "bar code", "*", {}},
    {{0x1D, 0x28, 0x6B}, 3, Op::QrCode, "GS ( k", "two-dimensional code", "*", {}},
    {{0x1D, 0x76, 0x30}, 3, Op::Raster, "GS v 0", "raster image", "*", {}},
    {{0x1B, 0x2A}, 2, Op::BitImage, "ESC *", "bit image", "*", {}},
    {{0x1D, 0x28, 0x4C}, 3, Op::Graphics, "GS ( L", "graphics", "n", {"bytes"}},
    {{0x1D, 0x38, 0x4C}, 3, Op::Graphics, "GS 8 L", "graphics", "N", {"bytes"}},
    {{0x1C, 0x70}, 2, Op::NvBitImage, "FS p", "print NV bit image", "bb", {"image", "mode"}},
    {{0x1C, 0x71}, 2, Op::DefineNvBitImages, "FS q", "define NV bit images", "*", {}},
    {{0x1D, 0x2A}, 2, Op::DefineDownloadedImage, "GS *", "define downloaded bit image", "*", {}},
    {{0x1D, 0x2F}, 2, Op::PrintDownloadedImage, "GS /", "print downloaded bit image", "b", {"mode"}},
    // Status and real-time commands
    {{0x10, 0x04}, 2, Op::StatusQuery, "DLE EOT", "real-time status", "*", {}, kAnswers},
    {{0x10, 0x05}, 2, Op::RealTimeRequest, "DLE ENQ", "real-time request", "b", {"request"}, kAnswers},
    {{0x10, 0x14}, 2, Op::RealTimeCommand, "DLE DC4", "real-time command", "*", {}, "a real-time command"},
    {{0x1D, 0x49}, 2, Op::IdQuery, "GS I", "printer identity", "b", {"item"}, kAnswers},
    {{0x1D, 0x72}, 2, Op::StatusRequest, "GS r", "status", "b", {"item"}, kAnswers},
    {{0x1D, 0x61}, 2, Op::AutoStatus, "GS a", "automatic status back", "b", {"events"}, kAnswers},
    {{0x1B, 0x75}, 2, Op::NoEffect, "ESC u", "peripheral status", "b", {"device"}, kAnswers},
    {{0x1B, 0x76}, 2, Op::NoEffect, "ESC v", "paper sensor status", "", {}, kAnswers},
    {{0x1D, 0x28, 0x48}, 3, Op::NoEffect, "GS ( H", "process id response", "n", {"bytes"}, kAnswers},
    {{0x1D, 0x67, 0x32}, 3, Op::NoEffect, "GS g 2", "maintenance counter", "bw", {"m", "counter"}, kAnswers},
    {{0x1D, 0x67, 0x30}, 3, Op::NoEffect, "GS g 0", "reset maintenance counter", "bw", {"m", "counter"}, kMechanism},
    // Paper and devices
    {{0x1B, 0x63, 0x30}, 3, Op::PaperType, "ESC c 0", "paper type", "b", {"type"}},
    {{0x1B, 0x63, 0x31}, 3, Op::NoEffect, "ESC c 1", "paper type for settings", "b", {"type"}, kMechanism},
    {{0x1B, 0x63, 0x33}, 3, Op::NoEffect, "ESC c 3", "paper sensors for paper end", "b", {"sensors"}, kAnswers},
    {{0x1B, 0x63, 0x34}, 3, Op::NoEffect, "ESC c 4", "paper sensors for stopping", "b", {"sensors"}, kMechanism},
    {{0x1B, 0x63, 0x35}, 3, Op::NoEffect, "ESC c 5", "panel buttons", "b", {"mode"}, kMechanism},
    {{0x1B, 0x3D}, 2, Op::NoEffect, "ESC =", "select peripheral device", "b", {"device"}, kNoDevice},
    {{0x1B, 0x55}, 2, Op::NoEffect, "ESC U", "unidirectional printing", "b", {"mode"}, kMechanism},
    {{0x1B, 0x42}, 2, Op::Beep, "ESC B", "beeper", "bb", {"beeps", "length"}},
    {{0x1B, 0x28, 0x41}, 3, Op::NoEffect, "ESC ( A", "beeper", "n", {"bytes"}, "the beeper is not heard here"},
    {{0x1B, 0x28, 0x59}, 3, Op::NoEffect, "ESC ( Y", "dual-unit printing", "n", {"bytes"}, kMechanism},
    {{0x1B, 0x70}, 2, Op::DrawerPulse, "ESC p", "cash drawer pulse", "bbb", {"pin", "on", "off"}},
    {{0x1D, 0x0C}, 2, Op::LocateLabel, "GS FF", "feed the label to its print start", "", {}},
    {{0x1D, 0x56}, 2, Op::Cut, "GS V", "cut", "*", {}},
    {{0x1B, 0x69}, 2, Op::Cut, "ESC i", "partial cut", "", {}},
    {{0x1D, 0x45}, 2, Op::NoEffect, "GS E", "head control", "b", {"mode"}, kMechanism},
    {{0x1D, 0x50}, 2, Op::NoEffect, "GS P", "motion units", "bb", {"x", "y"}, "positions stay in dots"},
    {{0x1D, 0x54}, 2, Op::NoEffect, "GS T", "print position to the line start", "b", {"mode"}, kMechanism},
    {{0x1D, 0x7A, 0x30}, 3, Op::NoEffect, "GS z 0", "online recovery wait", "bb", {"t1", "t2"}, kMechanism},
    {{0x1D, 0x28, 0x41}, 3, Op::NoEffect, "GS ( A", "test print", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x43}, 3, Op::NoEffect, "GS ( C", "user memory records", "n", {"bytes"}, kMemory},
    {{0x1D, 0x28, 0x44}, 3, Op::NoEffect, "GS ( D", "real-time commands on or off", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x45}, 3, Op::NoEffect, "GS ( E", "user setup", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x4B}, 3, Op::NoEffect, "GS ( K", "print control", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x4D}, 3, Op::NoEffect, "GS ( M", "customize values", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x4E}, 3, Op::NoEffect, "GS ( N", "character effects", "n", {"bytes"}, kOneColour},
    {{0x1D, 0x28, 0x50}, 3, Op::NoEffect, "GS ( P", "page mode control", "n", {"bytes"}, kMechanism},
    {{0x1D, 0x28, 0x51}, 3, Op::NoEffect, "GS ( Q", "graphic shapes", "n", {"bytes"}, kBarcodeSettings},
    {{0x1D, 0x28, 0x7A}, 3, Op::NoEffect, "GS ( z", "information", "n", {"bytes"}, kAnswers},
    {{0x1D, 0x3A}, 2, Op::NoEffect, "GS :", "macro definition start or end", "", {}, kMacros},
    {{0x1D, 0x5E}, 2, Op::NoEffect, "GS ^", "run macro", "bbb", {"times", "wait", "mode"}, kMacros},
    {{0x1D, 0x63}, 2, Op::NoEffect, "GS c", "print counter", "", {}, "counters are not kept"},
    {{0x1C, 0x67, 0x31}, 3, Op::NoEffect, "FS g 1", "write user memory", "*", {}, kMemory},
    {{0x1C, 0x67, 0x32},
     3,
     Op::NoEffect,
     "FS g 2",
     "read user memory",
     "bbbbbw",
     {"m", "a1", "a2", "a3", "a4", "bytes"},
     kAnswers},
    // Vendor: settings
    {{0x1B, 0x4E, 0x01}, 3, Op::SerialRate, "ESC N 1", "serial baud rate", "b", {"code"}},
    {{0x1B, 0x4E, 0x04}, 3, Op::Density, "ESC N 4", "print density", "b", {"level"}},
    {{0x1D, 0x6A}, 2, Op::SelfLearn, "GS j", "label self-learning", "bb", {"m", "n"}},
    {{0x1E, 0x47}, 2, Op::Backfeed, "RS G", "backfeed before printing", "w", {"dots"}},
    {{0x1F, 0x11, 0x04}, 3, Op::SelfTest, "US DC1 EOT", "self-test page", "", {}},
    {{0x1F, 0x1B, 0x19}, 3, Op::FactoryReset, "US ESC EM", "factory settings", "", {}},
    {{0x1F, 0x1E}, 2, Op::SmallFont, "US RS", "font switch", "b", {"font"}},
    {{0x1F, 0x55, 0x20}, 3, Op::Speed, "US U SP", "print speed", "b", {"speed"}},
    {{0x1F, 0x55, 0x37}, 3, Op::BlackMark, "US U 7", "black-mark detection", "b", {"on"}},
    {{0x1F, 0x55, 0x38}, 3, Op::Copies, "US U 8", "copies", "b", {"copies"}},
    // Vendor: page-mode drawing
    {{0x1B, 0x6C}, 2, Op::DrawLine, "ESC l", "line", "bwwww", {"width", "x0", "y0", "x1", "y1"}},
    {{0x1B, 0x6D}, 2, Op::DrawRect, "ESC m", "rectangle", "wwww", {"x", "y", "width", "height"}},
    {{0x1B, 0x6E}, 2, Op::LineWidth, "ESC n", "line width", "b", {"width"}},
    {{0x1B, 0x6F}, 2, Op::DrawCircle, "ESC o", "circle", "www", {"x", "y", "radius"}},
};

}  // namespace

std::span<const CommandForm> CommandForms() { return kForms; }

const CommandForm* FormOf(Op op) {
  for (const CommandForm& form : kForms)
    if (form.op == op) return &form;
  return nullptr;
}

}  // namespace kestrel::emu
