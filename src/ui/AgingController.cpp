#include "ui/AgingController.h"

#include "ui/CKestrelDlg.h"

namespace kestrel {

AgingController::AgingController(CKestrelDlg& dialog) : dialog_(dialog) {}

AgingController::~AgingController() = default;

}  // namespace kestrel
