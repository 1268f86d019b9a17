#include "ui/WindowTestSupport.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>

namespace kestrel::test {

void UseTemporaryDataFolder() {
  static TempDir folder;
  static const bool done = [] { return setenv("XDG_DATA_HOME", folder.path().c_str(), 1) == 0; }();
  (void)done;
}

EmptyLinkTree::EmptyLinkTree() {
  std::filesystem::create_directories(root_.path() + "/sys");
  std::filesystem::create_directories(root_.path() + "/dev");
}

LinkPaths EmptyLinkTree::Paths() const { return LinkPaths{root_.path() + "/sys", root_.path() + "/dev"}; }

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handle) : handle_(std::move(handle)) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(5);
}

ModalWatcher::~ModalWatcher() { timer_.stop(); }

void ModalWatcher::Poll() {
  QWidget* shown = QApplication::activePopupWidget();
  if (!shown) shown = QApplication::activeModalWidget();
  if (!shown || !shown->isVisible() || seen_.contains(shown)) return;
  seen_.append(shown);
  handle_(shown);
}

}  // namespace kestrel::test
