#include "ui/InterfaceTexts.h"

#include <QComboBox>

#include "ui/DialogBuilder.h"
#include "ui/QtDialogControls.h"
#include "window/ControlIds.h"

namespace kestrel {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

void FillList(const DialogBuilder& controls, const StartupContent& content) {
  auto* list = controls.ControlAs<QComboBox>(content.id);
  if (!list) return;
  list->clear();
  for (const std::string& item : content.items) list->addItem(Text(item));
  list->setCurrentIndex(content.selected);
}

}  // namespace

void FillStartupContents(const DialogBuilder& controls, const std::vector<std::string>& ports) {
  QtDialogControls texts(controls);
  for (const StartupContent& content : StartupContents(ports)) {
    if (content.IsList()) {
      FillList(controls, content);
    } else {
      texts.SetText(content.id, content.text);
    }
  }
  if (QWidget* baud = controls.Control(kBaudList)) baud->setEnabled(false);
}

}  // namespace kestrel
