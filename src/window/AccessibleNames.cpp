#include "window/AccessibleNames.h"

#include <algorithm>
#include <map>

namespace kestrel {

namespace {

// A control's rectangle as it shows, in dialog units; a drop-down list's
// template height is that of its opened list, so its closed box counts here.
struct Shown {
  int left, top, right, bottom;  // right and bottom exclusive
};

Shown ShownRect(const DialogControl& control) {
  const bool dropDown = control.kind == ControlKind::DropDownList || control.kind == ControlKind::DropDownEdit;
  const int height = dropDown ? std::min(control.height, 14) : control.height;
  return {control.x, control.y, control.x + control.width, control.y + height};
}

bool SameLine(const Shown& a, const Shown& b) { return a.top < b.bottom && b.top < a.bottom; }

bool Contains(const Shown& outer, const Shown& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool IsLabel(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::RightLabel || kind == ControlKind::CentreLabel;
}

bool IsButton(ControlKind kind) { return kind == ControlKind::PushButton || kind == ControlKind::DefaultPushButton; }

bool NeedsName(ControlKind kind) {
  return !IsLabel(kind) && kind != ControlKind::GroupBox && kind != ControlKind::Icon;
}

// The label whose right edge is nearest on the left of controls[index] on the
// same line, with no other control between them; -1 when there is none.
int LeftLabel(std::span<const DialogControl> controls, std::size_t index) {
  constexpr int kSlack = 2;  // templates let a label touch its control
  const Shown target = ShownRect(controls[index]);
  int best = -1;
  int bestRight = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Shown rect = ShownRect(controls[i]);
    if (!IsLabel(controls[i].kind) || !SameLine(rect, target) || rect.right > target.left + kSlack) continue;
    if (best < 0 || rect.right > bestRight) {
      best = static_cast<int>(i);
      bestRight = rect.right;
    }
  }
  for (std::size_t i = 0; best >= 0 && i < controls.size(); ++i) {
    const Shown rect = ShownRect(controls[i]);
    if (i != index && !IsLabel(controls[i].kind) && controls[i].kind != ControlKind::GroupBox &&
        SameLine(rect, target) && rect.left >= bestRight - kSlack && rect.left < target.left)
      return -1;
  }
  return best;
}

// The smallest group box around controls[index]; -1 when it stands in none.
int EnclosingGroup(std::span<const DialogControl> controls, std::size_t index) {
  const Shown target = ShownRect(controls[index]);
  int best = -1;
  const auto area = [&](std::size_t i) { return controls[i].width * controls[i].height; };
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::GroupBox || !Contains(ShownRect(controls[i]), target)) continue;
    if (best < 0 || area(i) < area(static_cast<std::size_t>(best))) best = static_cast<int>(i);
  }
  return best;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "打印份数:" and "Print copies：" name their controls without the colon.
std::string WithoutTrailingColon(std::string caption) {
  static const std::string kFullWidthColon = "\xEF\xBC\x9A";
  caption = Trimmed(caption);
  for (bool chopped = true; chopped;) {
    chopped = false;
    if (!caption.empty() && caption.back() == ':') {
      caption.pop_back();
      chopped = true;
    } else if (caption.ends_with(kFullWidthColon)) {
      caption.resize(caption.size() - kFullWidthColon.size());
      chopped = true;
    }
  }
  return Trimmed(caption);
}

std::string JoinedWithSpace(const std::string& first, const std::string& second) {
  return first.empty() || second.empty() ? first + second : first + " " + second;
}

}  // namespace

std::vector<NameSource> FindNameSources(std::span<const DialogControl> controls) {
  std::vector<NameSource> sources;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlKind kind = controls[i].kind;
    if (!NeedsName(kind)) continue;
    NameSource source{i};
    if (kind != ControlKind::CheckBox && !IsButton(kind)) source.label = LeftLabel(controls, i);
    source.group = EnclosingGroup(controls, i);
    sources.push_back(source);
  }
  return sources;
}

std::vector<std::string> AccessibleNames(std::span<const DialogControl> controls, std::span<const NameSource> sources,
                                         const std::function<std::string(std::size_t)>& captionOf,
                                         const std::string& dialogCaption) {
  const auto caption = [&](int index) {
    return index < 0 ? std::string() : WithoutTrailingColon(captionOf(static_cast<std::size_t>(index)));
  };
  std::vector<std::string> names;
  std::vector<bool> fromGroup;  // named with the group's caption already
  for (const NameSource& source : sources) {
    const ControlKind kind = controls[source.control].kind;
    const int own = static_cast<int>(source.control);
    std::string name;
    if (IsButton(kind)) {
      name = caption(own);
    } else if (kind == ControlKind::CheckBox) {
      name = JoinedWithSpace(caption(source.group), caption(own));
    } else {
      name = source.label >= 0 ? caption(source.label) : caption(source.group);
    }
    fromGroup.push_back(kind == ControlKind::CheckBox || (!IsButton(kind) && source.label < 0));
    names.push_back(name.empty() ? WithoutTrailingColon(dialogCaption) : name);
  }

  // Names shared by controls the operator can reach take their group's caption.
  const auto shared = [&]() {
    std::map<std::string, int> uses;
    for (std::size_t i = 0; i < sources.size(); ++i)
      if (controls[sources[i].control].visible) ++uses[names[i]];
    return uses;
  };
  std::map<std::string, int> uses = shared();
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const std::string group = caption(sources[i].group);
    if (controls[sources[i].control].visible && uses[names[i]] > 1 && !group.empty() && !fromGroup[i])
      names[i] = group + ": " + names[i];
  }
  uses = shared();
  std::map<std::string, int> seen;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (!controls[sources[i].control].visible || uses[names[i]] < 2) continue;
    if (const int number = ++seen[names[i]]; number > 1) names[i] += " " + std::to_string(number);
  }

  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (IsButton(controls[sources[i].control].kind) && names[i] == caption(static_cast<int>(sources[i].control)))
      names[i].clear();
  }
  return names;
}

}  // namespace kestrel
