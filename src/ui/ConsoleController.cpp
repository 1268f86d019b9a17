#include "ui/ConsoleController.h"

#include "ui/CKestrelDlg.h"

namespace kestrel {

ConsoleController::ConsoleController(CKestrelDlg& dialog) : dialog_(dialog) {}

ConsoleController::~ConsoleController() = default;

}  // namespace kestrel
