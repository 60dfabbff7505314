// The chart module: bar charts drawn with Qt Charts.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "ui/bar_chart.h"

namespace {

// Ticks on whole numbers, at most five steps of 1, 2 or 5 times a power of
// ten, so no two labels read the same.
void SetWholeTicks(QValueAxis* axis, double low, double high) {
  const double span = std::max(high - low, 1.0);
  double step = 1;
  for (double power = 1;; power *= 10) {
    const double fits[] = {power, 2 * power, 5 * power};
    const auto it = std::find_if(std::begin(fits), std::end(fits),
                                 [span](double f) { return span / f <= 5; });
    if (it != std::end(fits)) {
      step = *it;
      break;
    }
  }
  axis->setRange(std::floor(low / step) * step, std::max(std::ceil(high / step) * step, step));
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setLabelFormat("%.0f");
}

}  // namespace

// A stacked series so that each bar has its own colour and takes the whole category.
extern "C" Q_DECL_EXPORT QWidget* tw_make_bar_chart(QWidget* parent, bool showAxis) {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundBrush(parent->palette().window());
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setProperty("showAxis", showAxis);
  return view;
}

extern "C" Q_DECL_EXPORT void tw_set_bar_chart_bars(QWidget* widget, const tw::ChartBar* bars,
                                                    std::size_t count) {
  auto* view = static_cast<QChartView*>(widget);
  QChart* chart = view->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* series = new QStackedBarSeries;
  series->setBarWidth(0.8);
  QStringList categories;
  double top = 1;
  for (std::size_t i = 0; i < count; ++i) {
    auto* set = new QBarSet(bars[i].Label);
    for (std::size_t k = 0; k < count; ++k) *set << (k == i ? bars[i].Value : 0.0);
    set->setColor(bars[i].Colour);
    set->setBorderColor(Qt::black);
    series->append(set);
    categories << bars[i].Label;
    top = std::max(top, bars[i].Value);
  }
  chart->addSeries(series);
  auto* x = new QBarCategoryAxis;
  x->append(categories);
  auto* y = new QValueAxis;
  double low = 0;
  for (std::size_t i = 0; i < count; ++i) low = std::min(low, bars[i].Value);
  SetWholeTicks(y, low, top);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  x->setVisible(view->property("showAxis").toBool());
}
