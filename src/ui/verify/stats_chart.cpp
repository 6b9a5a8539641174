#include "ui/verify/stats_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <initializer_list>

namespace ui::verify {
namespace {

constexpr qreal kDayMsecs = 24 * 60 * 60 * 1000;
constexpr qreal kShortSpanDays = 180;

qreal Msecs(const std::string& yyyymmdd) {
  const QDate date =
      QDate::fromString(QString::fromStdString(yyyymmdd), QStringLiteral("yyyyMMdd"));
  return static_cast<qreal>(QDateTime(date, QTime(12, 0)).toMSecsSinceEpoch());
}

}  // namespace

StatsChart::StatsChart(QWidget* parent)
    : QChartView(parent),
      stake_(new QLineSeries),
      returned_(new QLineSeries),
      dates_(new QDateTimeAxis),
      yen_(new QValueAxis) {
  auto* chart = new QChart;
  stake_->setName(QStringLiteral("累計投資"));
  returned_->setName(QStringLiteral("累計回収"));
  stake_->setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 2));
  returned_->setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2));
  chart->addSeries(stake_);
  chart->addSeries(returned_);
  dates_->setFormat(QStringLiteral("yyyy/MM"));
  dates_->setTitleText(QStringLiteral("日付"));
  yen_->setLabelFormat(QStringLiteral("%.0f"));
  yen_->setTitleText(QStringLiteral("円"));
  chart->addAxis(dates_, Qt::AlignBottom);
  chart->addAxis(yen_, Qt::AlignLeft);
  for (QLineSeries* s : {stake_, returned_}) {
    s->attachAxis(dates_);
    s->attachAxis(yen_);
  }
  chart->legend()->setAlignment(Qt::AlignTop);
  chart->setMargins(QMargins(4, 4, 4, 4));
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setObjectName(QStringLiteral("StatsChart"));
  SetSeries({});
}

void StatsChart::SetSeries(const std::vector<::verify::SeriesPoint>& points) {
  QList<QPointF> stake, returned;
  long long top = 0;
  for (const ::verify::SeriesPoint& p : points) {
    const qreal x = Msecs(p.date);
    stake.append({x, static_cast<qreal>(p.stake)});
    returned.append({x, static_cast<qreal>(p.returned)});
    top = std::max({top, p.stake, p.returned});
  }
  stake_->replace(stake);
  returned_->replace(returned);
  // Without lines the axes would label a range of nothing (dates of 1970): they stay blank.
  for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{dates_, yen_}) {
    axis->setLabelsVisible(!points.empty());
    axis->setTitleVisible(!points.empty());
  }
  if (points.empty()) return;
  qreal first = stake.front().x(), last = stake.back().x();
  if (last <= first) {  // lines of one day: a day either side of it
    first -= kDayMsecs;
    last += kDayMsecs;
  }
  dates_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
  // Ticks of a short span fall within a month or two: months alone would repeat.
  dates_->setFormat(last - first < kShortSpanDays * kDayMsecs ? QStringLiteral("yyyy/MM/dd")
                                                              : QStringLiteral("yyyy/MM"));
  yen_->setRange(0, static_cast<qreal>(top) * 1.05 + 1);
  yen_->applyNiceNumbers();
}

}  // namespace ui::verify
