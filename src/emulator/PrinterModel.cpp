#include "emulator/PrinterModel.h"

#include <algorithm>
#include <utility>

#include "emulator/CodeTables.h"
#include "emulator/CommandForms.h"

namespace kestrel::emu {
namespace {

// Parameters that the printer also takes as ASCII digits ('0' for 0).
int DigitOrValue(int value) { return value >= 48 && value <= 57 ? value - 48 : value; }

// nL nH as the signed distance of ESC \ and GS \.
int Signed16(int value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value)); }

// The commands that put dots on a page.
bool Draws(Op op) {
  return op == Op::Text || op == Op::Barcode || op == Op::QrCode || op == Op::Raster || op == Op::DrawLine ||
         op == Op::DrawRect || op == Op::DrawCircle || op == Op::BitImage || op == Op::Graphics || op == Op::NvBitImage;
}

// Of those, the functions that print rather than set or store.
bool Prints(std::span<const std::uint8_t> stream, const Command& command) {
  if (command.op == Op::QrCode) return command.args[1] == 0x51;
  if (command.op == Op::Graphics) {
    const int fn = command.dataLength >= 2 ? stream[command.dataOffset + 1] : -1;
    return fn == 2 || fn == 50 || fn == 69 || fn == 85;
  }
  return Draws(command.op);
}

constexpr const char* kSerialRates[] = {"", "9600", "19200", "38400", "57600", "115200"};

}  // namespace

PrinterModel::PrinterModel(int printWidth) : printWidth_(std::clamp(printWidth, 8, kWidth80mm * 4)) {
  roll_.Resize(printWidth_, 0);
  Reset();
}

void PrinterModel::Reset() {
  state_ = {};
  page_ = Canvas();
  settings_.copies = PrinterSettings{}.copies;
}

// A stream of nothing but settings or misplaced commands would otherwise
// grow the lists without end; the caller takes them as they come.
void PrinterModel::Keep(std::vector<Note>& notes, Note note) {
  if (notes.size() < kMaxNotes) notes.push_back(std::move(note));
  if (notes.size() == kMaxNotes) notes.push_back({note.offset, "further lines left out"});
}

void PrinterModel::Log(const Command& command, const std::string& text) { Keep(settingLog_, {command.offset, text}); }

void PrinterModel::Remark(const Command& command, const std::string& text) {
  Keep(notes_, {command.offset, std::string(command.name) + ": " + text});
}

std::vector<Page> PrinterModel::TakePages() {
  std::vector<Page> pages;
  pages.swap(pages_);
  heldDots_ = 0;
  return pages;
}

std::vector<Note> PrinterModel::TakeNotes() {
  std::vector<Note> notes;
  notes.swap(notes_);
  return notes;
}

std::vector<Note> PrinterModel::TakeSettingLog() {
  std::vector<Note> log;
  log.swap(settingLog_);
  return log;
}

bool PrinterModel::RunSetting(const Command& command) {
  const int value = command.args[0];
  PrinterSettings& s = settings_;
  switch (command.op) {
    case Op::PaperType:
      s.paperType = value;
      Log(command, "paper type " + std::to_string(value));
      return true;
    case Op::Speed:
      s.speed = value;
      Log(command, "print speed " + std::to_string(value));
      return true;
    case Op::Density:
      s.density = value;
      Log(command, "print density " + std::to_string(value));
      return true;
    case Op::SerialRate:
      s.serialRate = value;
      Log(command, "serial rate code " + std::to_string(value) +
                       (value >= 1 && value <= 5 ? std::string(" (") + kSerialRates[value] + " baud)" : ""));
      return true;
    case Op::BlackMark:
      s.blackMark = value;
      Log(command, std::string("black-mark detection ") + (value != 0 ? "on" : "off"));
      return true;
    case Op::Backfeed:
      s.backfeed = value;
      Log(command, "backfeed " + std::to_string(value) + " dots");
      return true;
    case Op::SelfLearn:
      ++s.selfLearns;
      Log(command, "label self-learning");
      return true;
    case Op::SelfTest:
      ++s.selfTests;
      Log(command, "self-test page");
      return true;
    case Op::FactoryReset:
      ++s.factoryResets;
      Log(command, "factory settings restored");
      return true;
    case Op::Beep:
      ++s.beeps;
      Log(command, "beeper " + std::to_string(value) + " x " + std::to_string(command.args[1]));
      return true;
    case Op::DrawerPulse:
      ++s.drawerPulses;
      Log(command, "cash drawer pin " + std::to_string(value) + " pulse " + std::to_string(command.args[1]) + "/" +
                       std::to_string(command.args[2]));
      return true;
    case Op::Copies:
      s.copies = std::max(value, 1);
      Log(command, "copies " + std::to_string(value));
      return true;
    default:
      return false;
  }
}

void PrinterModel::Run(std::span<const std::uint8_t> stream, const Command& command) {
  current_ = command.offset;
  if (state_.pageMode && Draws(command.op)) pageDrawn_ = true;
  running_ = &command;
  if (!RunSetting(command)) RunLayoutCommand(stream, command);
  Account(command, Prints(stream, command));
  running_ = nullptr;
}

void PrinterModel::RunLayoutCommand(std::span<const std::uint8_t> stream, const Command& command) {
  const int value = command.args[0];
  PrinterState& s = state_;
  switch (command.op) {
    case Op::Text:
      return PrintText(stream.subspan(command.dataOffset, command.dataLength), command.codeTable);
    case Op::LineFeed:
      return LineFeed();
    case Op::FormFeed:
      if (!s.pageMode) return FlushRoll();
      PrintPage(command);
      s.pageMode = false;
      return;
    case Op::Cancel:
      if (s.pageMode) page_.Clear();
      s.pageReach = 0;
      pageDrawn_ = false;
      return;
    case Op::PrintPage:
      if (s.pageMode) PrintPage(command);
      return;
    case Op::Initialize:
      return Reset();
    case Op::SetX:
      (s.pageMode ? s.x : s.lineX) = value;
      return;
    case Op::SetY:
      if (s.pageMode) s.y = value, s.lineHeight = 0;
      return;
    case Op::RelativeX:
      return MoveX(Signed16(value));
    case Op::RelativeY:
      if (!s.pageMode) return Remark(command, "moves the print position in page mode only");
      s.y = std::max(s.y + Signed16(value), 0);
      return;
    case Op::PageMode:
      return EnterPageMode();
    case Op::StandardMode:
      s.pageMode = false;
      return;
    case Op::Direction:
      if (DigitOrValue(value) > 3) return Remark(command, "direction " + std::to_string(value) + " ignored");
      s.direction = DigitOrValue(value);
      s.x = s.y = 0;
      return;
    case Op::PrintArea:
      return SetPrintArea(command);
    case Op::LeftMargin:
      s.leftMargin = value;
      return;
    case Op::AreaWidth:
      s.areaWidth = value;
      return;
    case Op::LocateLabel:
      ++settings_.locates;
      Log(command, "feed the label to its print start");
      return FlushRoll();
    case Op::Cut:
      Log(command, "cut");
      // GS V 65, 66, 97, 98, 103 and 104 feed the paper by n dots first.
      if (!s.pageMode && command.length == 4) FeedRoll(command.args[1]);
      return FlushRoll();
    default:
      RunCharacterCommand(command);
      return RunPrintCommand(stream, command);
  }
}

void PrinterModel::RunCharacterCommand(const Command& command) {
  const int value = command.args[0];
  TextStyle& style = state_.style;
  switch (command.op) {
    case Op::Justify:
      state_.justification = std::min(DigitOrValue(value), 2);
      break;
    case Op::Emphasis:
    case Op::DoubleStrike:
      style.emphasized = (value & 1) != 0;
      break;
    case Op::Underline:
      style.underline = std::min(DigitOrValue(value), 2);
      break;
    case Op::ChineseUnderline:
      style.chineseUnderline = std::min(DigitOrValue(value), 2);
      break;
    case Op::ChineseSpacing:
      style.chineseLeft = value;
      style.chineseRight = command.args[1];
      break;
    case Op::Font:
      style.fontB = (DigitOrValue(value) & 1) != 0;
      break;
    case Op::Reverse:
      style.reverse = (value & 1) != 0;
      break;
    case Op::Rotate:
      style.rotated = (DigitOrValue(value) & 1) != 0;
      break;
    case Op::UpsideDown:
      state_.upsideDown = (value & 1) != 0;
      break;
    case Op::RightSpacing:
      style.rightSpacing = value;
      break;
    case Op::PrintMode:
      style.fontB = (value & 0x01) != 0;
      style.emphasized = (value & 0x08) != 0;
      style.heightMultiple = (value & 0x10) != 0 ? 2 : 1;
      style.widthMultiple = (value & 0x20) != 0 ? 2 : 1;
      style.underline = (value & 0x80) != 0 ? 1 : 0;
      break;
    case Op::CharacterSize:
      style.widthMultiple = ((value >> 4) & 7) + 1;
      style.heightMultiple = (value & 7) + 1;
      break;
    case Op::SmallFont:
      style.small = value == 2;
      break;
    case Op::CodeTable:
      if (CodeTableName(value) == nullptr)
        Remark(command, "code table " + std::to_string(value) + " is not known here; PC437 prints");
      break;
    default:
      break;
  }
}

void PrinterModel::RunPrintCommand(std::span<const std::uint8_t> stream, const Command& command) {
  const int value = command.args[0];
  PrinterState& s = state_;
  switch (command.op) {
    case Op::FeedDots:
      return Feed(value);
    case Op::FeedLines:
      return Feed(value * s.lineSpacing);
    case Op::PrintAndReverseFeed:  // the line prints; the paper stays where it is
      if (!s.pageMode) FeedRoll(FlushLine());
      return;
    case Op::DefaultLineSpacing:
      s.lineSpacing = PrinterState{}.lineSpacing;
      return;
    case Op::LineSpacing:
      s.lineSpacing = value;
      return;
    case Op::BarTextPosition:
      s.barTextPosition = DigitOrValue(value) & 3;
      return;
    case Op::HriFont:
      s.barTextFontB = (DigitOrValue(value) & 1) != 0;
      return;
    case Op::BarHeight:
      if (value > 0) s.barHeight = value;
      return;
    case Op::ModuleWidth:
      if (value >= 1 && value <= 8) return void(s.moduleWidth = value);
      return Remark(command, "module width " + std::to_string(value) + " ignored");
    case Op::Barcode:
      return PrintBarcode(stream, command);
    case Op::QrCode:
      if (command.args[0] == 0x30) return RunPdf417Function(stream, command);
      return RunQrFunction(stream, command);
    case Op::Raster:
      return PrintRaster(stream, command);
    case Op::BitImage:
      return PrintBitImage(stream, command);
    case Op::Graphics:
      return RunGraphics(stream, command);
    case Op::DefineNvBitImages:
      return DefineNvBitImages(stream, command);
    case Op::NvBitImage: {
      const std::size_t index = static_cast<std::size_t>(value) - 1;
      const int mode = DigitOrValue(command.args[1]);
      return PrintStored(command, index < nvBitImages_.size() ? &nvBitImages_[index] : nullptr, (mode & 1) + 1,
                         ((mode >> 1) & 1) + 1);
    }
    case Op::DefineDownloadedImage:
      return DefineDownloadedImage(stream, command);
    case Op::PrintDownloadedImage: {
      const int mode = DigitOrValue(value);
      return PrintStored(command, s.downloaded.dots.empty() ? nullptr : &s.downloaded, (mode & 1) + 1,
                         ((mode >> 1) & 1) + 1);
    }
    case Op::LineWidth:
      s.lineWidth = std::max(value, 1);
      return;
    case Op::DrawLine:
    case Op::DrawRect:
    case Op::DrawCircle:
      return Draw(command);
    default:
      // NUL, CR, HT, the commands read without effect and the problems draw
      // nothing.
      return;
  }
}

void PrinterModel::Draw(const Command& command) {
  if (!state_.pageMode) return Remark(command, "drawing commands print in page mode only");
  PageView view = View();
  const auto& a = command.args;
  int reach = 0;  // where the shape ends on the right, as sent
  if (command.op == Op::DrawLine) {
    DrawLine(view, a[0], a[1], a[2], a[3], a[4]);
    reach = std::max(a[1], a[3]) + (a[1] == a[3] ? a[0] : 0);
  }
  if (command.op == Op::DrawRect) {
    DrawFrame(view, a[0], a[1], a[2], a[3], state_.lineWidth);
    reach = a[0] + a[2];
  }
  if (command.op == Op::DrawCircle) {
    DrawCircle(view, a[0], a[1], a[2], 1);
    reach = a[0] + a[2] + 1;
  }
  if (state_.direction == 0) state_.pageReach = std::max(state_.pageReach, reach);
}

void PrinterModel::EnterPageMode() {
  PrinterState& s = state_;
  if (s.pageMode) return;
  FlushRoll();
  s.pageMode = true;
  if (page_.empty()) {
    s.areaX = 0;
    s.pageWidth = printWidth_;
    s.pageHeight = kDefaultPageHeight;
    page_.Resize(printWidth_, kDefaultPageHeight);
  }
  page_.Clear();
  pageDrawn_ = false;
  s.x = s.y = s.lineHeight = s.pageReach = 0;
}

// The picture of a page is the print area; its origin only moves the area on
// the paper. The canvas reaches on to the paper's right edge, so that a shape
// sent wider than the area (the frame of a label wider than its print area)
// prints whole where the paper has room for it.
void PrinterModel::SetPrintArea(const Command& command) {
  const int x = command.args[0];
  int width = command.args[2];
  int height = command.args[3];
  if (x >= printWidth_) {
    Remark(command, "the area starts beyond the print width " + std::to_string(printWidth_));
    width = 0;
  } else if (x + width > printWidth_) {
    width = printWidth_ - x;
    Remark(command, "the area is cut to the print width " + std::to_string(printWidth_));
  }
  if (height > kMaxPageHeight) {
    height = kMaxPageHeight;
    Remark(command, "the area is cut to " + std::to_string(kMaxPageHeight) + " dots");
  }
  if (width == 0 || height == 0) Remark(command, "the print area is empty");
  PrinterState& s = state_;
  s.areaX = x;
  s.pageWidth = width;
  s.pageHeight = height;
  page_.Resize(width == 0 ? 0 : std::max(width, printWidth_ - x), height);
  s.x = s.y = s.lineHeight = s.pageReach = 0;
}

void PrinterModel::PrintPage(const Command& command) {
  pageDrawn_ = false;
  if (page_.empty()) return Remark(command, "nothing printed: the print area is empty");
  HoldPage(command.offset);
}

// The page's picture: the print area, or as wide as the widest shape sent.
void PrinterModel::HoldPage(std::size_t offset) {
  const int width = std::max(state_.pageWidth, state_.pageReach);
  if (page_.width() > width && page_.InkRight() >= width) Clip("dots past the print area's right edge");
  Page page{page_, true, offset, settings_.copies, {}};
  page.canvas.CutWidthTo(width);
  Hold(std::move(page));
}

// Pages wait in memory until they are taken; past the bound they are dropped.
void PrinterModel::Hold(Page page) {
  NoteClipped();
  page.account = std::move(account_);
  for (const auto& [name, count] : drawnCounts_) page.account.drawn.push_back(name + " x" + std::to_string(count));
  account_ = {};
  drawnCounts_.clear();
  const std::size_t dots = static_cast<std::size_t>(page.canvas.width()) * page.canvas.height();
  if (heldDots_ + dots > kMaxHeldDots) {
    Keep(notes_, {page.offset, "page dropped: too many pages waiting"});
    return;
  }
  heldDots_ += dots;
  pages_.push_back(std::move(page));
}

void PrinterModel::Finish() {
  if (!state_.pageMode) FlushRoll();
}

void PrinterModel::PrintUnfinishedPage() {
  if (state_.pageMode && pageDrawn_ && !page_.empty() && !page_.blank()) HoldPage(current_);
}

}  // namespace kestrel::emu
