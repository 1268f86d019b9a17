#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "emulator/Canvas.h"
#include "emulator/Command.h"

namespace kestrel::emu {

// Print widths of the 48, 56 and 72 mm heads at 8 dots per millimetre.
inline constexpr int kWidth58mm = 384;
inline constexpr int kWidth60mm = 448;
inline constexpr int kWidth80mm = 576;

// Bounds that keep a page's memory small whatever a stream asks for.
inline constexpr int kMaxPageHeight = 8000;             // 1 m of label
inline constexpr int kDefaultPageHeight = 800;          // a page area that no ESC W set
inline constexpr std::size_t kMaxHeldDots = 64u << 20;  // printed pages not yet taken
inline constexpr std::size_t kMaxNotes = 10000;         // notes, and setting lines, not yet taken

// One printed page: a page-mode page or a strip of standard-mode roll.
struct Page {
  Canvas canvas;
  bool pageMode = true;
  std::size_t offset = 0;  // the command that printed it
  int copies = 1;          // US U 8: the page comes out this many times
};

// Something the printer did not print as sent, or did with a remark.
struct Note {
  std::size_t offset = 0;
  std::string text;
};

// What the setting commands have left in the printer; they draw nothing.
struct PrinterSettings {
  int paperType = -1;  // -1: never set
  int speed = -1;
  int density = -1;
  int serialRate = -1;
  int blackMark = -1;
  int backfeed = -1;
  int copies = 1;
  int selfLearns = 0;
  int locates = 0;
  int beeps = 0;
  int drawerPulses = 0;
  int selfTests = 0;
  int factoryResets = 0;
};

// The virtual printer: runs decoded commands on its pages. Standard mode
// prints onto a roll that grows with the content; page mode draws into the
// print area and prints it on ESC FF or FF, once a copy.
class PrinterModel {
 public:
  explicit PrinterModel(int printWidth);

  // Runs one command of `stream` (the bytes the command's offsets point into).
  void Run(std::span<const std::uint8_t> stream, const Command& command);
  // Prints what is left on the roll; the page in page mode is not printed.
  void Finish();
  // Prints the page in page mode that no ESC FF or FF printed, if anything
  // is drawn on it.
  void PrintUnfinishedPage();

  std::vector<Page> TakePages();
  // The notes and the setting log so far, which then start again empty.
  std::vector<Note> TakeNotes();
  std::vector<Note> TakeSettingLog();
  const std::vector<Page>& pages() const { return pages_; }
  const std::vector<Note>& notes() const { return notes_; }
  const PrinterSettings& settings() const { return settings_; }
  // One line for each setting command run: "density 8", "beeper 3 x 2".
  const std::vector<Note>& settingLog() const { return settingLog_; }
  bool pageMode() const { return pageMode_; }
  int printWidth() const { return printWidth_; }

 private:
  struct TextStyle {
    bool fontB = false;
    bool small = false;
    bool emphasized = false;
    int underline = 0;
    int widthMultiple = 1;
    int heightMultiple = 1;
    int rightSpacing = 0;
  };
  // A character waiting on the standard-mode line.
  struct LineItem {
    Canvas glyph;
    int x;
    int advance;
    TextStyle style;
  };

  void Reset();
  bool RunSetting(const Command& command);
  void RunLayoutCommand(std::span<const std::uint8_t> stream, const Command& command);
  void Log(const Command& command, const std::string& text);
  void Remark(const Command& command, const std::string& text);
  static void Keep(std::vector<Note>& notes, Note note);

  // Page mode.
  void EnterPageMode();
  void SetPrintArea(const Command& command);
  void PrintPage(const Command& command);
  void Hold(Page page);
  void Draw(const Command& command);
  PageView View() { return PageView(page_, direction_); }

  // Characters, and the line feeds of both modes.
  void PrintText(std::span<const std::uint8_t> text);
  void PlaceGlyph(const Canvas& glyph, int advance);
  void LineFeed();
  void Feed(int dots);
  int FlushLine();
  void FeedRoll(int dots);
  void FlushRoll();

  // Bar codes, QR codes and raster images: a block at the print position in
  // page mode, a block of its own on the roll in standard mode.
  void PlaceBlock(const Canvas& picture, int scaleX, int scaleY, bool belowInPageMode);
  void PrintBarcode(std::span<const std::uint8_t> stream, const Command& command);
  void RunQrFunction(std::span<const std::uint8_t> stream, const Command& command);
  void PrintRaster(std::span<const std::uint8_t> stream, const Command& command);
  Canvas TextPicture(const std::string& text);

  int printWidth_;
  std::vector<Page> pages_;
  std::vector<Note> notes_;
  std::vector<Note> settingLog_;
  PrinterSettings settings_;
  std::size_t current_ = 0;  // offset of the command being run
  std::size_t heldDots_ = 0;

  // Characters and layout.
  TextStyle style_;
  int lineSpacing_ = 30;
  int justification_ = 0;

  // Bar codes and QR codes.
  int barHeight_ = 162;
  int moduleWidth_ = 3;
  int barTextPosition_ = 0;
  int qrModule_ = 3;
  int qrLevel_ = 48;
  std::vector<std::uint8_t> qrData_;

  // Page mode.
  bool pageMode_ = false;
  bool pageDrawn_ = false;  // drawn on since the page was last printed or cleared
  Canvas page_;
  int direction_ = 0;
  int lineWidth_ = 1;
  int x_ = 0;
  int y_ = 0;
  int lineHeight_ = 0;

  // Standard mode: the roll printed so far and the line being filled.
  Canvas roll_;
  int rollY_ = 0;
  std::vector<LineItem> line_;
  int lineX_ = 0;
  int lineTall_ = 0;
};

}  // namespace kestrel::emu
