#include "ui/widgets/label_3d.h"

namespace ui {

Label3D::Label3D(const QString& text, QWidget* parent) : QLabel(text, parent) {
  // The panel colour lives in the palette, so it must be painted by the widget itself.
  setAutoFillBackground(true);
  setMargin(2);
  setBevel(Bevel::kFlat);
}

void Label3D::setBevel(Bevel bevel) {
  bevel_ = bevel;
  switch (bevel) {
    case Bevel::kFlat:
      setFrameStyle(QFrame::NoFrame);
      break;
    case Bevel::kRaised:
      setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
    case Bevel::kLowered:
      setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
  }
  setLineWidth(bevel == Bevel::kFlat ? 0 : 2);
}

void Label3D::setPanelColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  // The edge is drawn from the panel's colour: lighter above, darker below.
  p.setColor(QPalette::Light, color.lighter(160));
  p.setColor(QPalette::Dark, color.darker(200));
  setPalette(p);
}

QColor Label3D::panelColor() const { return palette().color(QPalette::Window); }

void Label3D::setTextColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, color);
  setPalette(p);
}

QColor Label3D::textColor() const { return palette().color(QPalette::WindowText); }

}  // namespace ui
