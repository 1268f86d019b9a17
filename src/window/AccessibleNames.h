#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "window/DialogTemplate.h"

namespace kestrel {

// The controls a screen reader or UI automation finds by name: edits, lists,
// check boxes, text boxes, list boxes and push buttons, with where the name
// of each comes from. Indexes are those of the template's controls.
struct NameSource {
  std::size_t control = 0;
  int label = -1;  // the label on its left on the same line, with no control between
  int group = -1;  // the smallest group box around it
};

std::vector<NameSource> FindNameSources(std::span<const DialogControl> controls);

// The name of each source's control, from the captions shown now
// (`captionOf` a template index, UTF-8):
// - a push button: its caption;
// - a check box: its group box's caption and its own;
// - any other: the caption of its label, else its group box's caption, else
//   the dialog's caption;
// all without a trailing colon. Where two controls the operator can reach
// would share a name (two "Baud rate" lists, two "Selftest" buttons), each
// named by its own caption or its label takes its group box's caption in
// front ("Port Info: Baud rate"); a name still shared gets a number after
// its first use ("文本", "文本 2").
// An empty name means the control's own caption names it, as the toolkit
// gives it by default, and goes on naming it when the caption changes.
std::vector<std::string> AccessibleNames(std::span<const DialogControl> controls, std::span<const NameSource> sources,
                                         const std::function<std::string(std::size_t)>& captionOf,
                                         const std::string& dialogCaption);

}  // namespace kestrel
