#pragma once

#include <QWidget>
#include <cstdint>
#include <span>

#include "history/report_row.h"
#include "weather/units.h"

class QChart;
class QChartView;

namespace pluvetta {

// The four stacked charts of the history window over one time span: pressure; temperature,
// dew point, wind chill and heat index; wind and gust with the direction as dots; rain in the
// last hour and, over a week or more, each day's total. Each line breaks where the station was
// silent, and no line holds more than two points per pixel column.
class HistoryCharts : public QWidget {
  public:
    explicit HistoryCharts(QWidget* parent = nullptr);

    // Draws the rows (oldest first, their values in `units`) over [fromUtc, toUtc);
    // `dailyRain` adds the day totals.
    void Show(std::span<const ReportRow> rows, std::int64_t fromUtc, std::int64_t toUtc,
              bool dailyRain, const Units& units);

    static constexpr int kChartCount = 4;
    QChartView* View(int index) const { return views_[index]; }

  private:
    QChartView* views_[kChartCount] = {};
};

}  // namespace pluvetta
