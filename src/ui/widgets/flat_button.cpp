#include "ui/widgets/flat_button.h"

namespace ui {

FlatButton::FlatButton(const QString& text, QWidget* parent) : QToolButton(parent) {
  setText(text);
  setAutoRaise(true);
  setFocusPolicy(Qt::StrongFocus);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void FlatButton::setHint(const QString& hint) {
  setToolTip(hint);
  setStatusTip(hint);
}

}  // namespace ui
