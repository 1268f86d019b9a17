#pragma once

#include <string>

namespace kestrel {

// What the printer link reads from and shows through its owner: the window
// implements it with its lists, Connect button and message boxes, the CLI
// with its options and stderr. Only WritePrinter's AgingRunning() is asked
// from another thread, so the owner keeps that flag atomic.
class LinkHost {
 public:
  virtual ~LinkHost() = default;

  virtual int PortSelection() const = 0;     // index in the port-type list (0 is "USB")
  virtual std::string PortText() const = 0;  // text of the port-type list
  virtual std::string BaudText() const = 0;  // text of the baud-rate list
  virtual bool AgingRunning() const = 0;

  // An OK-only message without icon, owned by the main window.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  virtual void SetConnectCaption(const std::string& caption) = 0;
  virtual void EnablePortList(bool enabled) = 0;
  virtual void EnableBaudList(bool enabled) = 0;
};

}  // namespace kestrel
