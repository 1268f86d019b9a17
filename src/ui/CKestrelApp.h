#pragma once

#include <QApplication>

namespace kestrel {

// The application: shows the main window modally and ends when it closes.
class CKestrelApp {
 public:
  int InitInstance(int argc, char** argv);
};

}  // namespace kestrel
