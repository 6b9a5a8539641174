#pragma once

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

#include "screens/race_screen.h"
#include "ui/widgets/label_3d.h"

namespace ui {

/// The label panel above the runner grid: the target marks under "馬券種別対象レース",
/// the Logic B mark, "平均ｵｯｽﾞ123", "馬連1人ｵｯｽﾞ" and the time of the morning odds under
/// "ｵｯｽﾞ取得時刻". The marks and the figures stand side by side where the panel is wide
/// enough, else the figures go under the marks, so a narrow window still shows them all.
class MarksPanel : public QFrame {
 public:
  explicit MarksPanel(QWidget* parent = nullptr);
  void Show(const screens::RaceMarkLabels& marks, const screens::RaceHeader& header);
  /// As narrow as the two groups one under the other.
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* BuildTargets();
  QWidget* BuildFigures();
  Label3D* Value(QWidget* group, const char* name, int width);
  QBoxLayout* groups_ = nullptr;
  QWidget* targets_ = nullptr;
  QWidget* figures_ = nullptr;
  Label3D* ur_;
  Label3D* ut_;
  Label3D* sr_;
  Label3D* logic2_;
  Label3D* oz_ave_;
  Label3D* ur_fav_;
  Label3D* odds_time_;
};

}  // namespace ui
