#include "emulator/CommandForms.h"

#include <array>

namespace kestrel::emu {
namespace {

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
    // Positions and line spacing
    {{0x1B, 0x24}, 2, Op::SetX, "ESC $", "horizontal position", "w", {"x"}},
    {{0x1D, 0x24}, 2, Op::SetY, "GS $", "vertical position", "w", {"y"}},
    {{0x1B, 0x20}, 2, Op::RightSpacing, "ESC SP", "character right spacing", "b", {"dots"}},
    {{0x1B, 0x32}, 2, Op::DefaultLineSpacing, "ESC 2", "default line spacing", "", {}},
    {{0x1B, 0x33}, 2, Op::LineSpacing, "ESC 3", "line spacing", "b", {"dots"}},
    {{0x1B, 0x4A}, 2, Op::FeedDots, "ESC J", "print and feed", "b", {"dots"}},
    {{0x1B, 0x64}, 2, Op::FeedLines, "ESC d", "print and feed lines", "b", {"lines"}},
    {{0x1B, 0x61}, 2, Op::Justify, "ESC a", "justification", "b", {"mode"}},
    // Characters
    {{0x1B, 0x21}, 2, Op::PrintMode, "ESC !", "print mode", "b", {"mode"}},
    {{0x1B, 0x2D}, 2, Op::Underline, "ESC -", "underline", "b", {"mode"}},
    {{0x1B, 0x45}, 2, Op::Emphasis, "ESC E", "emphasized", "b", {"mode"}},
    {{0x1B, 0x47}, 2, Op::DoubleStrike, "ESC G", "double strike", "b", {"mode"}},
    {{0x1B, 0x4D}, 2, Op::Font, "ESC M", "character font", "b", {"font"}},
    {{0x1B, 0x74}, 2, Op::CodeTable, "ESC t", "character code table", "b", {"table"}},
    {{0x1D, 0x21}, 2, Op::CharacterSize, "GS !", "character size", "b", {"size"}},
    {{0x1D, 0x42}, 2, Op::Reverse, "GS B", "white/black reverse", "b", {"mode"}},
    {{0x1C, 0x26}, 2, Op::ChineseOn, "FS &", "Chinese character mode on", "", {}},
    {{0x1C, 0x2E}, 2, Op::ChineseOff, "FS .", "Chinese character mode off", "", {}},
    // Bar codes, QR codes and raster images
    {{0x1D, 0x48}, 2, Op::BarTextPosition, "GS H", "bar code text position", "b", {"position"}},
    {{0x1D, 0x68}, 2, Op::BarHeight, "GS h", "bar code height", "b", {"dots"}},
    {{0x1D, 0x77}, 2, Op::ModuleWidth, "GS w", "bar code module width", "b", {"dots"}},
    {{0x1D, 0x6B}, 2, Op::Barcode, "GS k", "bar code", "*", {}},
    {{0x1D, 0x28, 0x6B}, 3, Op::QrCode, "GS ( k", "QR code", "*", {}},
    {{0x1D, 0x76, 0x30}, 3, Op::Raster, "GS v 0", "raster image", "*", {}},
    // Paper and devices
    {{0x1B, 0x63, 0x30}, 3, Op::PaperType, "ESC c 0", "paper type", "b", {"type"}},
    {{0x1B, 0x42}, 2, Op::Beep, "ESC B", "beeper", "bb", {"beeps", "length"}},
    {{0x1B, 0x70}, 2, Op::DrawerPulse, "ESC p", "cash drawer pulse", "bbb", {"pin", "on", "off"}},
    {{0x1D, 0x0C}, 2, Op::LocateLabel, "GS FF", "feed the label to its print start", "", {}},
    {{0x1D, 0x56}, 2, Op::Cut, "GS V", "cut", "*", {}},
    // Status and identity: answered, never printed
    {{0x10, 0x04}, 2, Op::StatusQuery, "DLE EOT", "real-time status", "b", {"n"}},
    {{0x1D, 0x49}, 2, Op::IdQuery, "GS I", "printer identity", "b", {"item"}},
    {{0x1D, 0x72}, 2, Op::StatusRequest, "GS r", "status", "b", {"item"}},
    {{0x1D, 0x61}, 2, Op::AutoStatus, "GS a", "automatic status back", "b", {"events"}},
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
