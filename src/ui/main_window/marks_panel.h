#pragma once

#include <QFrame>
#include <QLabel>

#include "app/race_screen.h"

namespace ui {

/// The label panel above the runner grid: the target marks under "馬券種別対象レース",
/// the Logic B mark, "平均ｵｯｽﾞ123", "馬連1人ｵｯｽﾞ" and the time of the morning odds under
/// "ｵｯｽﾞ取得時刻".
class MarksPanel : public QFrame {
 public:
  explicit MarksPanel(QWidget* parent = nullptr);
  void Show(const app::RaceMarkLabels& marks, const app::RaceHeader& header);

 private:
  QLabel* Value(const char* name, int width);
  QLabel* ur_;
  QLabel* ut_;
  QLabel* sr_;
  QLabel* logic2_;
  QLabel* oz_ave_;
  QLabel* ur_fav_;
  QLabel* odds_time_;
};

}  // namespace ui
