#pragma once

#include <QFrame>
#include <QLabel>

#include "screens/race_screen.h"

namespace ui {

/// The header panel `Panel3` above the work area: the racecourse and race number shown
/// large, the four header lines and the two prize lines; green for turf, maroon otherwise.
class RaceHeaderPanel : public QFrame {
 public:
  explicit RaceHeaderPanel(QWidget* parent = nullptr);
  void Show(const screens::RaceHeader& header);
  /// Nothing shown (no race).
  void Clear();

 private:
  QLabel* AddLabel(const char* name);
  QLabel* basho_;
  QLabel* race_;
  QLabel* lines_[6];
};

}  // namespace ui
