#include "marks_panel.h"

#include <QGridLayout>
#include <QResizeEvent>
#include <algorithm>

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
  targets_ = BuildTargets();
  figures_ = BuildFigures();
  groups_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
  groups_->setContentsMargins(4, 2, 4, 2);
  groups_->setSpacing(8);
  groups_->addWidget(targets_, 0, Qt::AlignLeft | Qt::AlignTop);
  groups_->addWidget(figures_, 0, Qt::AlignLeft | Qt::AlignTop);
  groups_->addStretch(1);
}

QWidget* MarksPanel::BuildTargets() {
  auto* group = new QWidget(this);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  grid->addWidget(Caption(QStringLiteral("馬券種別対象レース"), group), 0, 0, 1, 3);
  grid->addWidget(Caption(QStringLiteral("馬連"), group), 1, 0);
  grid->addWidget(Caption(QStringLiteral("馬単"), group), 1, 1);
  grid->addWidget(Caption(QStringLiteral("３連複・３連単"), group), 1, 2);
  ur_ = Value(group, "URTaishoLabel", 40);
  ut_ = Value(group, "UTTaishoLabel", 40);
  sr_ = Value(group, "SRTaishoLabel", 90);
  grid->addWidget(ur_, 2, 0);
  grid->addWidget(ut_, 2, 1);
  grid->addWidget(sr_, 2, 2);
  return group;
}

QWidget* MarksPanel::BuildFigures() {
  auto* group = new QWidget(this);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  grid->addWidget(Caption(QStringLiteral("ロジックＢ"), group), 1, 0);
  logic2_ = Value(group, "TaishoRaceLogic2Label", 60);
  grid->addWidget(logic2_, 2, 0);
  grid->addWidget(Caption(QStringLiteral("平均ｵｯｽﾞ123"), group), 1, 1);
  oz_ave_ = Value(group, "OzAve123Label", 70);
  grid->addWidget(oz_ave_, 2, 1);
  grid->addWidget(Caption(QStringLiteral("馬連1人ｵｯｽﾞ"), group), 1, 2);
  ur_fav_ = Value(group, "UR1NinOZLabel", 70);
  grid->addWidget(ur_fav_, 2, 2);
  grid->addWidget(Caption(QStringLiteral("ｵｯｽﾞ取得時刻"), group), 0, 3);
  grid->addWidget(Caption(QStringLiteral("単複枠朝"), group), 1, 3);
  odds_time_ = Value(group, "TFWtimeAsaLabel", 60);
  grid->addWidget(odds_time_, 2, 3);
  return group;
}

Label3D* MarksPanel::Value(QWidget* group, const char* name, int width) {
  auto* label = new Label3D(QString(), group);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFont(FixedFont(13, true));
  label->setAlignment(Qt::AlignCenter);
  label->setBevel(Label3D::Bevel::kLowered);
  label->setMinimumWidth(width);
  label->setPanelColor(ToQColor(screens::kInfoBackground));
  return label;
}

QSize MarksPanel::minimumSizeHint() const {
  QSize size = QFrame::minimumSizeHint();
  const QMargins m = groups_->contentsMargins();
  const int stacked =
      std::max(targets_->minimumSizeHint().width(), figures_->minimumSizeHint().width());
  size.setWidth(stacked + m.left() + m.right() + 2 * frameWidth());
  return size;
}

void MarksPanel::resizeEvent(QResizeEvent* event) {
  const QMargins m = groups_->contentsMargins();
  const int side_by_side = targets_->sizeHint().width() + groups_->spacing() +
                           figures_->sizeHint().width() + m.left() + m.right() + 2 * frameWidth();
  const auto direction =
      width() >= side_by_side ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
  if (groups_->direction() != direction) {
    groups_->setDirection(direction);
    updateGeometry();  // the height the panel needs changed with it
  }
  QFrame::resizeEvent(event);
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
