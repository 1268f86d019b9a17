#include "ui/CKestrelApp.h"

namespace {
// The one application object, made before main runs.
kestrel::CKestrelApp theApp;
}  // namespace

int main(int argc, char** argv) { return theApp.InitInstance(argc, argv); }
