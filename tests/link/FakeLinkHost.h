#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "link/LinkHost.h"

namespace kestrel::test {

// Stands in for the window: the lists' selection and texts, and a record of
// everything the link shows or enables.
class FakeLinkHost : public LinkHost {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };

  int PortSelection() const override { return selection; }
  std::string PortText() const override { return portText; }
  std::string BaudText() const override { return baudText; }
  bool AgingRunning() const override { return aging; }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.push_back({text, caption});
  }
  void SetConnectCaption(const std::string& caption) override { captions.push_back(caption); }
  void EnablePortList(bool enabled) override { portListEnabled = enabled; }
  void EnableBaudList(bool enabled) override { baudListEnabled = enabled; }

  // Selects a serial port by its text, as a pick in the port-type list does.
  void SelectSerial(const std::string& text) {
    selection = 1;
    portText = text;
  }
  std::string Caption() const { return captions.empty() ? "" : captions.back(); }

  int selection = 0;
  std::string portText = "USB";
  std::string baudText = "115200";
  std::atomic<bool> aging = false;
  std::vector<Message> messages;
  std::vector<std::string> captions;
  bool portListEnabled = true;
  bool baudListEnabled = false;
};

}  // namespace kestrel::test
