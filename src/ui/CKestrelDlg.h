#pragma once

#include <QDialog>
#include <QEvent>
#include <QImage>
#include <functional>
#include <memory>
#include <string>

#include "link/PortDiscovery.h"
#include "window/ContextMenu.h"
#include "window/MainWindowController.h"
#include "window/WindowHost.h"

class QTimer;
class QWidget;

namespace kestrel {

class DialogBuilder;
class QtDialogControls;

// The main window, built from template 102. It builds the widgets, hands
// every control event to its MainWindowController in one call, and does the
// toolkit's part: timers, message boxes, painting, the busy cursor, the
// dialogs of the context menu.
class CKestrelDlg : public QDialog, public WindowHost {
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

  MainWindowController& Controller() { return *controller_; }

  // WindowHost
  DialogControls& Controls() override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void EnableAllControls(bool enabled) override;
  void StartAgingTimer(std::int32_t intervalMs) override;
  void StopAgingTimer() override;
  void ShowSending(bool sending) override;
  void OpenCustomLabelEditor() override;
  void Post(std::function<void()> call) override;
  void CallOnWindowThread(const std::function<void()>& call) override;
  void ServeWindowThreadCalls() override;

  // Reloads the custom label width and height into their hidden edits.
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
  // The status and identity of the printer on the chosen port, modal over
  // this window; from the context menu.
  void ShowPrinterStatus();

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
  void ForwardEvents();
  // What opens the dialog of a context menu entry; nullptr when this window
  // has none for it.
  using DialogOpener = void (CKestrelDlg::*)();
  static DialogOpener DialogFor(MenuCommand command);

  const PortDiscovery& discovery_;
  std::unique_ptr<DialogBuilder> controls_;
  std::unique_ptr<QtDialogControls> controlsView_;
  QImage background_;
  QTimer* progressTimer_ = nullptr;
  // Window timer 1 of the aging test, named "AgingTimer" so that it can be
  // found from outside.
  QTimer* agingTimer_ = nullptr;
  std::unique_ptr<MainWindowController> controller_;
};

}  // namespace kestrel
