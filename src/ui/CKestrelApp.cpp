#include "ui/CKestrelApp.h"

namespace kestrel {

int CKestrelApp::InitInstance(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}

}  // namespace kestrel
