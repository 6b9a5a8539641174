#pragma once

#include <QHeaderView>

namespace ui {

/// The heading row of a grid drawn by the grid itself: the model's header background
/// filled, and its text (lines split at '\n') either centred 2 pixels below the top (the
/// bet tables) or from the top-left corner plus one pixel (the runner grid).
class GridHeader : public QHeaderView {
 public:
  enum class TextPlace { CentredTop, TopLeft };
  GridHeader(TextPlace place, int height, QWidget* parent = nullptr);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override;
  QSize sizeHint() const override;

 private:
  TextPlace place_;
  int height_;
};

}  // namespace ui
