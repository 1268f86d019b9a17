#pragma once

#include <gtest/gtest.h>

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/FakePortDiscovery.h"
#include "support/TestSupport.h"

namespace kestrel {
class CKestrelDlg;
}

namespace kestrel::test {

// Points the per-user data folder at a temporary folder for the whole test
// run, before the settings object is first made, so no test touches the
// operator's own settings file.
void UseTemporaryDataFolder();

// Reads the printer's side of the line until `count` bytes arrived or `wait`
// passed, handling the window's events meanwhile.
std::vector<std::uint8_t> ReadWhileHandlingEvents(PtyPair& printer, std::size_t count,
                                                  std::chrono::milliseconds wait = std::chrono::seconds(3));

// Adds the port to the window's port list by code and selects it, as a pick
// in the list does.
void SelectPort(CKestrelDlg& window, const std::string& path);

// A main window in the Chinese interface with the test run's data folder and
// no USB printer, and a pseudo-terminal standing in for the printer's serial
// line. SelectPrinterLine picks the line at 115200 baud.
class WindowOnSerialLineTest : public ::testing::Test {
 protected:
  WindowOnSerialLineTest();
  ~WindowOnSerialLineTest() override;
  void SetUp() override;
  void TearDown() override;
  void SelectPrinterLine();
  // Handles the window's events until the job going out has ended and its
  // result is applied.
  void FinishSending();
  // A left click on a button of the window, once the job before has ended.
  void Click(int id);

  FakePortDiscovery ports_;  // no USB printer, no serial port listed
  PtyPair printer_;
  std::unique_ptr<CKestrelDlg> dialog_;
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
