#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/FileResult.h"

namespace kestrel {

class DialogControls;
class MainWindowController;

// What the preview window does that is not drawing, in both windows: it
// lists the jobs of the main window's buttons, composes one as its button
// would with what the controls hold now, and saves its bytes. The window
// prints the bytes on the virtual printer (emu::StreamPreview) and shows the
// pages and the decoded commands; it never opens a port.

// A row of the job list: a job of the main window's buttons.
struct PreviewJob {
  std::string name;     // as FindJob knows it
  std::string caption;  // its button's, without the access key's "&"
};

// One row a job in the order of the buttons; two buttons of one job give one
// row. A job whose button has no caption is named by its job name.
std::vector<PreviewJob> PreviewJobs(const DialogControls& controls);

// The job's bytes, composed as its button composes them now. Nothing while a
// job goes out, whose write reads SendBuffer as composing would fill it
// anew, nor for a name no job has.
std::optional<std::vector<std::uint8_t>> ComposePreview(const MainWindowController& controller, const std::string& job);

// The preview's own texts, in the interface language. They are not part of
// the window's translation table, which holds the main window's texts only.
enum class PreviewText {
  kTitle,
  kFitToWindow,
  kSavePicture,  // the button
  kSaveBytes,    // the button
  kClose,
  kSavePictureTitle,  // the file dialog's caption
  kSaveBytesTitle,
  kNotSaved,     // followed by the file and the reason
  kJobGoingOut,  // ComposePreview refused while a job goes out
};
std::string PreviewCaption(PreviewText text);

// The entries of the page list: "Page 1 of 3", ..., or the one entry "No
// page printed".
std::vector<std::string> PreviewPageEntries(std::size_t pageCount);

// The bytes written in the place of path, as a job would go to the printer;
// what was there is kept when the write fails.
FileResult SavePreviewBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kestrel
