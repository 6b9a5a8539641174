#include "grid_header.h"

#include <QPainter>

#include "qt_text.h"

namespace ui {

GridHeader::GridHeader(TextPlace place, int height, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), place_(place), height_(height) {
  setFixedHeight(height);
  setSectionsClickable(true);
  setHighlightSections(false);
}

QSize GridHeader::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.setHeight(height_);
  return size;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logical_index) const {
  if (!model() || !rect.isValid()) return;
  painter->save();
  const QVariant background =
      model()->headerData(logical_index, Qt::Horizontal, Qt::BackgroundRole);
  painter->fillRect(rect,
                    background.isValid() ? background.value<QColor>() : QColor(Qt::lightGray));
  painter->setPen(QColor(128, 128, 128));
  painter->drawLine(rect.topRight(), rect.bottomRight());
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  painter->setPen(Qt::black);
  const QFont font = FixedFont();
  painter->setFont(font);
  const QString text =
      model()->headerData(logical_index, Qt::Horizontal, Qt::DisplayRole).toString();
  const int line_height = QFontMetrics(font).height();
  int top = rect.top() + (place_ == TextPlace::CentredTop ? 2 : 1);
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QRect line_rect(rect.left() + 1, top, rect.width() - 2, line_height);
    const int flags = place_ == TextPlace::CentredTop ? Qt::AlignHCenter | Qt::AlignTop
                                                      : Qt::AlignLeft | Qt::AlignTop;
    painter->drawText(line_rect, flags, line);
    top += line_height;
  }
  painter->restore();
}

}  // namespace ui
