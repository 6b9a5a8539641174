#pragma once

// The edge between the core's Shift-JIS texts and colours and what Qt draws.

#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "screens/cell_colours.h"
#include "ui/widgets/sjis_text.h"

namespace ui {

/// A UTF-8 literal of this program in Shift-JIS (for texts handed to the core).
std::string Sj(const char* utf8);

QColor ToQColor(screens::Rgb rgb);

/// The fixed-pitch Japanese face of the grids and labels, in which a half-width character
/// is exactly half a full-width one, so that the fixed-width texts line up.
QFont FixedFont(int pixel_size = 13, bool bold = false);

}  // namespace ui

class QWidget;
namespace ui {
/// Fills a widget's background and sets its text colour (through its palette).
void Paint(QWidget* widget, const QColor& background, const QColor& text = Qt::black);
}  // namespace ui
