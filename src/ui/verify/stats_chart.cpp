#include "ui/verify/stats_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace ui::verify {
namespace {

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
  if (points.empty()) return;
  dates_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(stake.front().x())),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(stake.back().x())));
  yen_->setRange(0, static_cast<qreal>(top) * 1.05 + 1);
  yen_->applyNiceNumbers();
}

}  // namespace ui::verify
