#include "ui/bar_chart.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QWidget>

namespace tw {

namespace {

struct ChartModule {
  MakeBarChartFn make = nullptr;
  SetBarChartBarsFn set = nullptr;
};

const ChartModule& Module() {
  static const ChartModule module = [] {
    ChartModule m;
    QLibrary library(QCoreApplication::applicationDirPath() + "/tarnwell-charts");
    m.make = reinterpret_cast<MakeBarChartFn>(library.resolve("tw_make_bar_chart"));
    m.set = reinterpret_cast<SetBarChartBarsFn>(library.resolve("tw_set_bar_chart_bars"));
    if (!m.make || !m.set) m = ChartModule();
    return m;
  }();
  return module;
}

}  // namespace

QWidget* MakeBarChart(QWidget* parent, bool showAxis) {
  if (Module().make) return Module().make(parent, showAxis);
  return new QWidget(parent);
}

void SetBarChartBars(QWidget* chart, const std::vector<ChartBar>& bars) {
  if (Module().set) Module().set(chart, bars.data(), bars.size());
}

}  // namespace tw
