#pragma once

#include <QColor>
#include <QLabel>

namespace ui {

/// A label drawn as a small panel: flat, raised or lowered edge, with its own panel
/// and text colours (the header lines, marks and summary labels of the screens).
class Label3D : public QLabel {
  Q_OBJECT

 public:
  enum class Bevel { kFlat, kRaised, kLowered };

  explicit Label3D(const QString& text = {}, QWidget* parent = nullptr);

  /// The edge around the panel; kFlat draws none.
  void setBevel(Bevel bevel);
  Bevel bevel() const { return bevel_; }
  /// The colour the panel is filled with.
  void setPanelColor(const QColor& color);
  QColor panelColor() const;
  /// The colour of the text.
  void setTextColor(const QColor& color);
  QColor textColor() const;

 private:
  Bevel bevel_ = Bevel::kFlat;
};

}  // namespace ui
