#pragma once

#include <gtest/gtest.h>

#include <string>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"
#include "link/FakePortDiscovery.h"
#include "link/LinkTestSupport.h"
#include "window/ControlIds.h"
#include "window/FakeWindowHost.h"
#include "window/MainWindowController.h"

namespace kestrel::test {

// The Chinese interface and the window's start-up JobSettings, in place
// before the fake window fills its controls.
struct ChineseInterface {
  ChineseInterface() {
    LoadTranslations(936);
    JobSettings = {};
  }
};

inline const std::string& DeviceOf(const PrinterLine& line) { return line.Device(); }

// A started controller over a fake main window whose port-type list holds
// "USB" and the device of a printer line (a PrinterLine, or on Linux a
// PtyPair for a line the test holds back); SelectLine picks the line at
// 115200 baud.
template <typename Line>
class ControllerTestOn : public ::testing::Test {
 protected:
  void SetUp() override { controller_.Start(); }

  void SelectLine() { Pick(kPortList, 1); }
  // The operator picks a list item, types into an edit, clicks a button.
  void Pick(int id, int index) {
    window_.controls.Pick(id, index);
    controller_.OnSelection(id, index);
  }
  void Type(int id, const std::string& text) {
    window_.controls.SetText(id, text);
    controller_.OnTextChanged(id, text);
  }
  void Click(int id) {
    if (window_.controls.Checked(id)) window_.controls.SetChecked(id, !*window_.controls.Checked(id));
    controller_.OnClicked(id);
  }
  // Handles the window's events until the job going out has ended and its
  // result is applied.
  void FinishSending() {
    ASSERT_TRUE(window_.HandleEventsUntil([this] { return !controller_.Sending(); })) << "a job is still going out";
  }

  ChineseInterface chinese_;
  FakePortDiscovery ports_;
  Line line_;
  FakeWindowHost window_{{"USB", DeviceOf(line_)}};
  MainWindowController controller_{window_, ports_};
};

using ControllerTest = ControllerTestOn<PrinterLine>;

}  // namespace kestrel::test
