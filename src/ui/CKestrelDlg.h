#pragma once

#include <QDialog>
#include <QEvent>
#include <QImage>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "commands/JobSettings.h"
#include "commands/NamedJob.h"
#include "link/JobSender.h"
#include "link/LinkHost.h"
#include "link/PrinterLink.h"
#include "window/WindowHost.h"

class QTimer;
class QWidget;

namespace kestrel {

class AgingPanel;
class ConsolePanel;
class DialogBuilder;
class QtDialogControls;

// The main window, built from template 102. It owns the controls and the link
// and wires every control event to one operation of the window module or the
// link; it composes nothing itself.
class CKestrelDlg : public QDialog, public LinkHost, public WindowHost {
  Q_OBJECT

 public:
  // `discovery` lists the ports for the port-type list and the link; it
  // outlives the window.
  explicit CKestrelDlg(QWidget* parent = nullptr, const PortDiscovery& discovery = SystemPortDiscovery());
  ~CKestrelDlg() override;

  // Every control of the template by its numeric id; nullptr for an unknown id.
  QWidget* Control(int id) const;
  template <typename T>
  T* ControlAs(int id) const {
    return qobject_cast<T*>(Control(id));
  }

  PrinterLink& Link() override { return *link_; }

  // The context a job reads now: JobSettings and the texts of the speed list,
  // the copies edit, the density and printer-rate lists, the aging flag and
  // the local time.
  JobContext CurrentJobContext() const;

  // The job pattern for a named job (see JobRunner), its write going out off
  // this window's thread; returns false when the printer could not be
  // reached, when no job of that name exists, or while another job goes out
  // (then nothing is done).
  bool RunNamedJob(const std::string& name);

  // True from the start of a job's write until its result has been applied.
  // Meanwhile the window answers, shows a busy cursor and the share sent in
  // its title, and refuses everything that would use the link.
  bool Sending() const override;
  // Runs `write` off this window's thread; `done` gets its answer on this
  // thread once it has ended. False, with nothing started, while another
  // job goes out.
  bool SendOffThread(std::function<bool()> write, std::function<void(bool)> done) override;

  // An OK-only message box without icon, owned by this window.
  void ShowMessage(const std::string& text, const std::string& caption) override;

  // LinkHost
  int PortSelection() const override;
  std::string PortText() const override;
  std::string BaudText() const override;
  bool AgingRunning() const override { return agingRunning_.load(); }
  void SetConnectCaption(const std::string& caption) override;
  void EnablePortList(bool enabled) override;
  void EnableBaudList(bool enabled) override;

  // WindowHost
  DialogControls& Controls() override;
  void EnableAllControls(bool enabled) override;
  void EnableControl(int id, bool enabled) override;
  void StartAgingTimer(std::int32_t intervalMs) override;
  void StopAgingTimer() override;
  void CallOnWindowThread(const std::function<void()>& call) override;
  void ServeWindowThreadCalls() override;

  void SetAgingRunning(bool running) { agingRunning_.store(running); }
  std::uint32_t SendCount = 0;

  // Reloads the custom label width and height into the hidden edits 1033 and 1041.
  void ReloadCustomLabelSize();

  // Message 1025: the custom label editor tells the main window that the
  // settings file changed. Delivered synchronously; returns once the window
  // has reloaded the size. Does nothing for a null window.
  static QEvent::Type CustomLabelSizeChangedEvent();
  static void NotifyCustomLabelSizeChanged(QWidget* mainWindow);

  // The about box and the version history, both modal over this window.
  void ShowAboutBox();
  void ShowVersionHistory();

  // The preview of the jobs on the virtual printer, modal over this window;
  // from the context menu and F9.
  void ShowPreview();

  // The entry of the window's context menu that opens the about box.
  static QString AboutEntryText();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void InitDialog();
  void ApplyInterfaceTexts();
  void ConnectHandlers();
  void ConnectSelectionHandlers();
  void ConnectJobButtons();
  void ConnectAgingButtons();
  void ConnectConsoleButtons();
  void OpenCustomLabelEditor();
  void ShowSendProgress();
  void EndSendProgress();

  const PortDiscovery& discovery_;
  std::unique_ptr<DialogBuilder> controls_;
  std::unique_ptr<QtDialogControls> controlsView_;
  QImage background_;
  std::atomic<bool> agingRunning_ = false;
  std::unique_ptr<PrinterLink> link_;
  std::unique_ptr<JobSender> sender_;
  QTimer* progressTimer_ = nullptr;
  QString idleTitle_;
  // Window timer 1 of the aging test, named "AgingTimer" so that it can be
  // found from outside.
  QTimer* agingTimer_ = nullptr;
  std::unique_ptr<AgingPanel> aging_;
  std::unique_ptr<ConsolePanel> console_;
};

}  // namespace kestrel
