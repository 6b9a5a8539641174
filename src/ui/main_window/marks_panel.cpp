#include "marks_panel.h"

#include <QGridLayout>

#include "qt_text.h"

namespace ui {
namespace {

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(FixedFont(12));
  label->setAlignment(Qt::AlignCenter);
  return label;
}

void ShowMark(Label3D* label, const screens::MarkLabel& mark) {
  label->setText(FromSjis(mark.text));
  label->setPanelColor(ToQColor(mark.background));
  label->setTextColor(Qt::red);
}

}  // namespace

MarksPanel::MarksPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("MarksPanel"));
  setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  grid->addWidget(Caption(QStringLiteral("馬券種別対象レース"), this), 0, 0, 1, 3);
  grid->addWidget(Caption(QStringLiteral("馬連"), this), 1, 0);
  grid->addWidget(Caption(QStringLiteral("馬単"), this), 1, 1);
  grid->addWidget(Caption(QStringLiteral("３連複・３連単"), this), 1, 2);
  ur_ = Value("URTaishoLabel", 40);
  ut_ = Value("UTTaishoLabel", 40);
  sr_ = Value("SRTaishoLabel", 90);
  grid->addWidget(ur_, 2, 0);
  grid->addWidget(ut_, 2, 1);
  grid->addWidget(sr_, 2, 2);

  grid->addWidget(Caption(QStringLiteral("ロジックＢ"), this), 1, 3);
  logic2_ = Value("TaishoRaceLogic2Label", 60);
  grid->addWidget(logic2_, 2, 3);
  grid->addWidget(Caption(QStringLiteral("平均ｵｯｽﾞ123"), this), 1, 4);
  oz_ave_ = Value("OzAve123Label", 70);
  grid->addWidget(oz_ave_, 2, 4);
  grid->addWidget(Caption(QStringLiteral("馬連1人ｵｯｽﾞ"), this), 1, 5);
  ur_fav_ = Value("UR1NinOZLabel", 70);
  grid->addWidget(ur_fav_, 2, 5);

  grid->addWidget(Caption(QStringLiteral("ｵｯｽﾞ取得時刻"), this), 0, 6, 1, 2);
  grid->addWidget(Caption(QStringLiteral("単複枠朝"), this), 1, 6);
  odds_time_ = Value("TFWtimeAsaLabel", 60);
  grid->addWidget(odds_time_, 2, 6);
  grid->setColumnStretch(7, 1);
}

Label3D* MarksPanel::Value(const char* name, int width) {
  auto* label = new Label3D(QString(), this);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFont(FixedFont(13, true));
  label->setAlignment(Qt::AlignCenter);
  label->setBevel(Label3D::Bevel::kLowered);
  label->setMinimumWidth(width);
  label->setPanelColor(ToQColor(screens::kInfoBackground));
  return label;
}

void MarksPanel::Show(const screens::RaceMarkLabels& marks, const screens::RaceHeader& header) {
  ShowMark(ur_, marks.URTaishoLabel);
  ShowMark(ut_, marks.UTTaishoLabel);
  ShowMark(sr_, marks.SRTaishoLabel);
  ShowMark(logic2_, marks.TaishoRaceLogic2Label);
  oz_ave_->setText(FromSjis(marks.OzAve123Label));
  ur_fav_->setText(FromSjis(marks.UR1NinOZLabel));
  odds_time_->setText(FromSjis(header.TFWtimeAsaLabel));
}

}  // namespace ui
