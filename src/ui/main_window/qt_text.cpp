#include "qt_text.h"

#include "codes/cp932.h"
#include "codes/errors.h"

namespace ui {

std::string Sj(const char* utf8) { return codes::Utf8ToSjis(utf8); }

QColor ToQColor(screens::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QFont FixedFont(int pixel_size, bool bold) {
  QFont font(QStringLiteral("IPAGothic"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace ui

#include <QWidget>

namespace ui {

void Paint(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace ui
