#include "emulator/PrinterModel.h"

#include <algorithm>

namespace kestrel::emu {
namespace {

// Parameters that the printer also takes as ASCII digits ('0' for 0).
int DigitOrValue(int value) { return value >= 48 && value <= 57 ? value - 48 : value; }

// The commands that put dots on a page.
bool Draws(Op op) {
  return op == Op::Text || op == Op::Barcode || op == Op::QrCode || op == Op::Raster || op == Op::DrawLine ||
         op == Op::DrawRect || op == Op::DrawCircle;
}

constexpr const char* kSerialRates[] = {"", "9600", "19200", "38400", "57600", "115200"};

}  // namespace

PrinterModel::PrinterModel(int printWidth) : printWidth_(std::clamp(printWidth, 8, kWidth80mm * 4)) {
  roll_.Resize(printWidth_, 0);
  Reset();
}

void PrinterModel::Reset() {
  style_ = {};
  lineSpacing_ = 30;
  justification_ = 0;
  barHeight_ = 162;
  moduleWidth_ = 3;
  barTextPosition_ = 0;
  qrModule_ = 3;
  qrLevel_ = 48;
  qrData_.clear();
  pageMode_ = false;
  page_ = Canvas();
  direction_ = 0;
  lineWidth_ = 1;
  x_ = y_ = lineHeight_ = 0;
  line_.clear();
  lineX_ = lineTall_ = 0;
  settings_.copies = 1;
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
  if (pageMode_ && Draws(command.op)) pageDrawn_ = true;
  if (RunSetting(command)) return;
  const int value = command.args[0];
  switch (command.op) {
    case Op::Text:
      PrintText(stream.subspan(command.dataOffset, command.dataLength));
      break;
    case Op::LineFeed:
      LineFeed();
      break;
    case Op::FormFeed:
      if (!pageMode_) return FlushRoll();
      PrintPage(command);
      pageMode_ = false;
      break;
    case Op::Cancel:
      if (pageMode_) page_.Clear();
      pageDrawn_ = false;
      break;
    case Op::PrintPage:
      if (pageMode_) PrintPage(command);
      break;
    case Op::Initialize:
      Reset();
      break;
    case Op::SetX:
      (pageMode_ ? x_ : lineX_) = value;
      break;
    case Op::SetY:
      if (pageMode_) y_ = value, lineHeight_ = 0;
      break;
    case Op::PageMode:
      EnterPageMode();
      break;
    case Op::StandardMode:
      pageMode_ = false;
      break;
    case Op::Direction:
      if (DigitOrValue(value) > 3) return Remark(command, "direction " + std::to_string(value) + " ignored");
      direction_ = DigitOrValue(value);
      x_ = y_ = 0;
      break;
    case Op::PrintArea:
      SetPrintArea(command);
      break;
    case Op::LocateLabel:
      ++settings_.locates;
      Log(command, "feed the label to its print start");
      FlushRoll();
      break;
    case Op::Cut:
      Log(command, "cut");
      FlushRoll();
      break;
    default:
      RunLayoutCommand(stream, command);
  }
}

void PrinterModel::RunLayoutCommand(std::span<const std::uint8_t> stream, const Command& command) {
  const int value = command.args[0];
  switch (command.op) {
    case Op::Justify:
      justification_ = std::min(DigitOrValue(value), 2);
      break;
    case Op::Emphasis:
    case Op::DoubleStrike:
      style_.emphasized = (value & 1) != 0;
      break;
    case Op::Underline:
      style_.underline = std::min(DigitOrValue(value), 2);
      break;
    case Op::Font:
      style_.fontB = (DigitOrValue(value) & 1) != 0;
      break;
    case Op::RightSpacing:
      style_.rightSpacing = value;
      break;
    case Op::PrintMode:
      style_.fontB = (value & 0x01) != 0;
      style_.emphasized = (value & 0x08) != 0;
      style_.heightMultiple = (value & 0x10) != 0 ? 2 : 1;
      style_.widthMultiple = (value & 0x20) != 0 ? 2 : 1;
      style_.underline = (value & 0x80) != 0 ? 1 : 0;
      break;
    case Op::CharacterSize:
      style_.widthMultiple = ((value >> 4) & 7) + 1;
      style_.heightMultiple = (value & 7) + 1;
      break;
    case Op::SmallFont:
      style_.small = value == 2;
      break;
    case Op::FeedDots:
      Feed(value);
      break;
    case Op::FeedLines:
      Feed(value * lineSpacing_);
      break;
    case Op::DefaultLineSpacing:
      lineSpacing_ = 30;
      break;
    case Op::LineSpacing:
      lineSpacing_ = value;
      break;
    case Op::BarTextPosition:
      barTextPosition_ = DigitOrValue(value) & 3;
      break;
    case Op::BarHeight:
      if (value > 0) barHeight_ = value;
      break;
    case Op::ModuleWidth:
      if (value >= 1 && value <= 8)
        moduleWidth_ = value;
      else
        Remark(command, "module width " + std::to_string(value) + " ignored");
      break;
    case Op::Barcode:
      PrintBarcode(stream, command);
      break;
    case Op::QrCode:
      RunQrFunction(stream, command);
      break;
    case Op::Raster:
      PrintRaster(stream, command);
      break;
    case Op::LineWidth:
      lineWidth_ = std::max(value, 1);
      break;
    case Op::DrawLine:
    case Op::DrawRect:
    case Op::DrawCircle:
      Draw(command);
      break;
    default:
      // NUL, CR, HT, code tables, reverse printing and the problems draw
      // nothing. FS & and FS . change nothing either: this printer reads
      // every byte above 7F as the start of a GB18030 character.
      break;
  }
}

void PrinterModel::Draw(const Command& command) {
  if (!pageMode_) return Remark(command, "drawing commands print in page mode only");
  PageView view = View();
  const auto& a = command.args;
  if (command.op == Op::DrawLine) DrawLine(view, a[0], a[1], a[2], a[3], a[4]);
  if (command.op == Op::DrawRect) DrawFrame(view, a[0], a[1], a[2], a[3], lineWidth_);
  if (command.op == Op::DrawCircle) DrawCircle(view, a[0], a[1], a[2], 1);
}

void PrinterModel::EnterPageMode() {
  if (pageMode_) return;
  FlushRoll();
  pageMode_ = true;
  if (page_.empty()) page_.Resize(printWidth_, kDefaultPageHeight);
  page_.Clear();
  pageDrawn_ = false;
  x_ = y_ = lineHeight_ = 0;
}

// The picture of a page is the print area; its origin only moves the area
// on the paper.
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
  page_.Resize(width, height);
  x_ = y_ = lineHeight_ = 0;
}

void PrinterModel::PrintPage(const Command& command) {
  pageDrawn_ = false;
  if (page_.empty()) return Remark(command, "nothing printed: the print area is empty");
  Hold({page_, true, command.offset, settings_.copies});
}

// Pages wait in memory until they are taken; past the bound they are dropped.
void PrinterModel::Hold(Page page) {
  const std::size_t dots = static_cast<std::size_t>(page.canvas.width()) * page.canvas.height();
  if (heldDots_ + dots > kMaxHeldDots) {
    Keep(notes_, {page.offset, "page dropped: too many pages waiting"});
    return;
  }
  heldDots_ += dots;
  pages_.push_back(std::move(page));
}

void PrinterModel::Finish() {
  if (!pageMode_) FlushRoll();
}

void PrinterModel::PrintUnfinishedPage() {
  if (pageMode_ && pageDrawn_ && !page_.empty() && !page_.blank()) Hold({page_, true, current_, settings_.copies});
}

}  // namespace kestrel::emu
