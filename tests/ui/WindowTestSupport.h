#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "link/LinkPaths.h"
#include "support/TestSupport.h"

namespace kestrel::test {

// Points the per-user data folder at a temporary folder for the whole test
// run, before the settings object is first made, so no test touches the
// operator's own settings file.
void UseTemporaryDataFolder();

// An empty /sys and /dev: no USB printer, no serial port (the port list then
// offers COM1 to COM9).
class EmptyLinkTree {
 public:
  EmptyLinkTree();
  LinkPaths Paths() const;

 private:
  TempDir root_;
};

// Watches for modal dialogs and popup menus while a test drives the window,
// and hands each one to `handle` once; `handle` must close it (otherwise the
// test would wait forever in its event loop).
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(QWidget*)> handle);
  ~ModalWatcher();
  int Seen() const { return seen_.size(); }

 private:
  void Poll();

  std::function<void(QWidget*)> handle_;
  QList<QPointer<QWidget>> seen_;
  QTimer timer_;
};

}  // namespace kestrel::test
