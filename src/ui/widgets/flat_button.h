#pragma once

#include <QToolButton>

namespace ui {

/// A button without an edge until the mouse is over it (tool bars, one-click input
/// buttons). Its hint shows as a tool tip and in the window's status line.
class FlatButton : public QToolButton {
  Q_OBJECT

 public:
  explicit FlatButton(const QString& text = {}, QWidget* parent = nullptr);

  /// The hint: tool tip and status-line text.
  void setHint(const QString& hint);
  QString hint() const { return statusTip(); }
};

}  // namespace ui
