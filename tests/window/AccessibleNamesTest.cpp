#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "window/AccessibleNames.h"

namespace kestrel {
namespace {

using K = ControlKind;

// Two groups that repeat a label and a button caption, a grid of fields
// named by their group alone, controls outside any group and a hidden one.
constexpr DialogControl kControls[] = {
    {kNoControlId, K::GroupBox, "Port", 0, 0, 200, 30},
    {kNoControlId, K::RightLabel, "Rate:", 4, 10, 30, 8},
    {10, K::DropDownList, "", 36, 8, 40, 60},
    {11, K::PushButton, "Test", 100, 8, 40, 14},
    {kNoControlId, K::GroupBox, "Printer", 0, 40, 200, 30},
    {kNoControlId, K::Label, "Rate：", 4, 50, 30, 8},
    {12, K::DropDownList, "", 36, 48, 40, 60},
    {13, K::PushButton, "Test", 100, 48, 40, 14},
    {14, K::Edit, "", 150, 48, 40, 14, false},  // hidden: shares "Printer" with nobody it matters to
    {kNoControlId, K::GroupBox, "Grid", 0, 80, 200, 40},
    {15, K::CheckBox, "Print", 4, 90, 30, 10},
    {16, K::DigitEdit, "", 40, 88, 40, 14},
    {17, K::CheckBox, "Print", 4, 106, 30, 10},
    {18, K::DigitEdit, "", 40, 104, 40, 14},
    {19, K::Edit, "", 4, 130, 40, 14},
    {20, K::DefaultPushButton, "OK", 100, 130, 40, 14},
    {kNoControlId, K::Label, "Note", 150, 130, 40, 8},
};

std::map<int, std::string> NamesById(const std::map<std::size_t, std::string>& captions) {
  const std::vector<NameSource> sources = FindNameSources(kControls);
  const auto captionOf = [&](std::size_t index) {
    const auto changed = captions.find(index);
    return changed != captions.end() ? changed->second : std::string(kControls[index].caption);
  };
  const std::vector<std::string> names = AccessibleNames(kControls, sources, captionOf, "Sample:");
  std::map<int, std::string> byId;
  for (std::size_t i = 0; i < sources.size(); ++i) byId[kControls[sources[i].control].id] = names[i];
  return byId;
}

TEST(AccessibleNamesTest, SharedCaptionsTakeTheirGroupAndRepeatsANumber) {
  const std::map<int, std::string> expected = {
      {10, "Port: Rate"}, {11, "Port: Test"}, {12, "Printer: Rate"}, {13, "Printer: Test"}, {14, "Printer"},
      {15, "Grid Print"}, {16, "Grid"},       {17, "Grid Print 2"},  {18, "Grid 2"},        {19, "Sample"},
      {20, ""},  // the button's own caption names it
  };
  EXPECT_EQ(NamesById({}), expected);
}

// Captions shown in another language make other names; where they no longer
// collide, no group is put in front.
TEST(AccessibleNamesTest, NamesFollowTheCaptionsShownNow) {
  const std::map<int, std::string> names = NamesById({{5, "Printer rate:"}, {7, "Try"}, {0, "端口"}});
  EXPECT_EQ(names.at(10), "Rate");
  EXPECT_EQ(names.at(12), "Printer rate");
  EXPECT_EQ(names.at(11), "");
  EXPECT_EQ(names.at(13), "");
}

}  // namespace
}  // namespace kestrel
