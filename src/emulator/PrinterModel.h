#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "emulator/Canvas.h"
#include "emulator/Command.h"
#include "emulator/PrinterState.h"

namespace kestrel::emu {

// Print widths at 8 dots per millimetre: the 48 mm head of 58 mm paper, the
// whole 60 mm label (its frames are drawn 480 dots wide), the 72 mm head of
// 80 mm paper.
inline constexpr int kWidth58mm = 384;
inline constexpr int kWidth60mm = 480;
inline constexpr int kWidth80mm = 576;

// Bounds that keep a page's memory small whatever a stream asks for.
inline constexpr int kMaxPageHeight = 8000;               // 1 m of label
inline constexpr int kDefaultPageHeight = 800;            // a page area that no ESC W set
inline constexpr std::size_t kMaxHeldDots = 64u << 20;    // printed pages not yet taken
inline constexpr std::size_t kMaxStoredDots = 16u << 20;  // images kept in the printer
inline constexpr std::size_t kMaxNotes = 10000;           // notes, and setting lines, not yet taken

// What happened to the commands of one page: which drew on it, which were
// read without effect and why, which reached past its edges.
struct PageAccount {
  std::vector<std::string> drawn;    // "text x12", "ESC m x3"
  std::vector<std::string> ignored;  // "GS r (a request for the printer's answer; nothing prints)"
  std::vector<std::string> clipped;  // "ESC m at 0000001A"
  std::vector<std::string> Lines() const;
};

// One printed page: a page-mode page or a strip of standard-mode roll.
struct Page {
  Canvas canvas;
  bool pageMode = true;
  std::size_t offset = 0;  // the command that printed it
  int copies = 1;          // US U 8: the page comes out this many times
  PageAccount account;
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
  bool pageMode() const { return state_.pageMode; }
  int printWidth() const { return printWidth_; }

 private:
  void Reset();
  bool RunSetting(const Command& command);
  void RunLayoutCommand(std::span<const std::uint8_t> stream, const Command& command);
  void RunCharacterCommand(const Command& command);
  void RunPrintCommand(std::span<const std::uint8_t> stream, const Command& command);
  void Log(const Command& command, const std::string& text);
  void Remark(const Command& command, const std::string& text);
  static void Keep(std::vector<Note>& notes, Note note);
  void Account(const Command& command, bool drew);
  void NoteClipped();
  void Ignore(const std::string& entry);
  void Clip(const std::string& entry);

  // Page mode.
  void EnterPageMode();
  void SetPrintArea(const Command& command);
  void PrintPage(const Command& command);
  void HoldPage(std::size_t offset);
  void Hold(Page page);
  void Draw(const Command& command);
  PageView View() { return PageView(page_, state_.direction, state_.pageWidth, state_.pageHeight); }

  // Characters, and the line feeds of both modes.
  void PrintText(std::span<const std::uint8_t> text, std::int32_t codeTable);
  void PlaceCharacter(Canvas glyph, int advance, bool fullWidth);
  void PlaceOnLine(LineItem item, int tall);
  void MoveX(int dots);
  void LineFeed();
  void Feed(int dots);
  int FlushLine();
  int LineWidth() const;
  void FeedRoll(int dots);
  void FlushRoll();

  // Bar codes, two-dimensional codes and images: a block at the print
  // position in page mode, a block of its own on the roll in standard mode.
  void PlaceBlock(const Canvas& picture, int scaleX, int scaleY, bool belowInPageMode);
  void PrintBarcode(std::span<const std::uint8_t> stream, const Command& command);
  void RunQrFunction(std::span<const std::uint8_t> stream, const Command& command);
  void RunPdf417Function(std::span<const std::uint8_t> stream, const Command& command);
  void PrintRaster(std::span<const std::uint8_t> stream, const Command& command);
  void PrintBitImage(std::span<const std::uint8_t> stream, const Command& command);
  void RunGraphics(std::span<const std::uint8_t> stream, const Command& command);
  void StoreGraphics(std::span<const std::uint8_t> data, const Command& command);
  void PrintStored(const Command& command, const StoredImage* image, int scaleX, int scaleY);
  void DefineNvBitImages(std::span<const std::uint8_t> stream, const Command& command);
  void DefineDownloadedImage(std::span<const std::uint8_t> stream, const Command& command);
  bool MayStore(int width, int height, bool buffer, const Command& command);
  Canvas TextPicture(const std::string& text);

  int printWidth_;
  std::vector<Page> pages_;
  std::vector<Note> notes_;
  std::vector<Note> settingLog_;
  PrinterSettings settings_;
  std::size_t current_ = 0;           // offset of the command being run
  const Command* running_ = nullptr;  // the command being run
  std::size_t heldDots_ = 0;

  PrinterState state_;
  bool pageDrawn_ = false;  // drawn on since the page was last printed or cleared
  Canvas page_;             // the print area, and the paper right of it
  PageAccount account_;     // of the page or the strip of roll being printed
  std::map<std::string, int> drawnCounts_;

  // Images kept while the printer runs: NV graphics and downloaded graphics
  // by their key codes, NV bit images by their numbers.
  std::map<int, StoredImage> nvGraphics_;
  std::map<int, StoredImage> downloadGraphics_;
  std::vector<StoredImage> nvBitImages_;
  std::size_t storedDots_ = 0;

  // Standard mode: the roll printed so far, drawn only as far as printed on.
  Canvas roll_;
  int rollY_ = 0;
};

}  // namespace kestrel::emu
