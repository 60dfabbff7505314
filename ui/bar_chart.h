// Bar charts of the statistics dialogs. The chart widgets live in a module of
// their own (tarnwell-charts beside the executable), loaded by the first chart
// made, so that the chart and OpenGL libraries stay out of the start-up.
// Without the module a chart is an empty panel.
#pragma once

#include <QColor>
#include <QString>
#include <cstddef>
#include <vector>

class QWidget;

namespace tw {

// One bar of a statistics chart.
struct ChartBar {
  QString Label;
  double Value = 0;
  QColor Colour;
  bool operator==(const ChartBar&) const = default;
};

// A chart without bars; showAxis: the category labels under the bars.
QWidget* MakeBarChart(QWidget* parent, bool showAxis);
// One bar per category, each in its own colour, replacing the bars shown.
void SetBarChartBars(QWidget* chart, const std::vector<ChartBar>& bars);

// The module's entry points, "tw_make_bar_chart" and "tw_set_bar_chart_bars".
using MakeBarChartFn = QWidget* (*)(QWidget* parent, bool showAxis);
using SetBarChartBarsFn = void (*)(QWidget* chart, const ChartBar* bars, std::size_t count);

}  // namespace tw
