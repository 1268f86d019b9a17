#include "ui/InterfaceTexts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

#include "language/TranslationMap.h"
#include "ui/DialogBuilder.h"
#include "ui/QtDialogControls.h"

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

void SetEditText(const DialogBuilder& controls, const StartupContent& content) {
  if (auto* edit = controls.ControlAs<QLineEdit>(content.id)) {
    edit->setText(Text(content.text));
  } else if (auto* box = controls.ControlAs<QTextEdit>(content.id)) {
    // The text box keeps lines as paragraphs; CR LF in the source text marks them.
    box->setPlainText(Text(content.text).remove(QLatin1Char('\r')));
  }
}

}  // namespace

void FillStartupContents(const DialogBuilder& controls, const std::vector<std::string>& ports) {
  for (const StartupContent& content : StartupContents(ports)) {
    if (content.IsList()) {
      FillList(controls, content);
    } else {
      SetEditText(controls, content);
    }
  }
  if (QWidget* baud = controls.Control(1001)) baud->setEnabled(false);
}

void ApplyCaptions(const DialogBuilder& controls) {
  QtDialogControls captions(controls);
  for (std::size_t row = 0; row < kCaptionCount; ++row)
    captions.SetText(kCaptionTable[row].control, Translate(kCaptionTable[row].key));
}

}  // namespace kestrel
