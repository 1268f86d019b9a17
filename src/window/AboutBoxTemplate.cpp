#include "window/DialogTemplate.h"

namespace kestrel {

namespace {

using K = ControlKind;

// Template 100: the about box of the window menu.
constexpr DialogControl kAboutControls[] = {
    {kNoControlId, K::Icon, "", 14, 14, 21, 20, true, 128},
    {kNoControlId, K::Label, "Kestrel，1.0 版", 42, 14, 114, 8},
    {kNoControlId, K::Label, "热敏标签打印机测试工具", 42, 26, 114, 8},
    {1, K::DefaultPushButton, "确定", 113, 41, 50, 14},
};

constexpr DialogTemplate kAboutTemplate{100, "关于 Kestrel", 170, 62, 9, kAboutControls};

}  // namespace

const DialogTemplate& AboutBoxTemplate() { return kAboutTemplate; }

}  // namespace kestrel
