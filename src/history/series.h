#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "history/report_row.h"

namespace pluvetta {

// One value at one time (seconds since 1970 UTC).
struct TimePoint {
    std::int64_t t = 0;
    double v = 0.0;
    bool operator==(const TimePoint&) const = default;
};
using Series = std::vector<TimePoint>;

// The shortest silence drawn as a gap, whatever the station's rhythm.
inline constexpr std::int64_t kMinimumGap = std::int64_t{30} * 60;

// The value's points in the rows' order, rows without it left out.
Series ValueSeries(std::span<const ReportRow> rows, Value value);

// Longer than this without a report is a gap: three times the station's usual interval (the
// median of the steps between the times given), and never less than kMinimumGap.
std::int64_t GapThreshold(std::span<const ReportRow> rows);

// Cuts the series wherever two neighbours are more than `threshold` apart, so that a chart
// drawing each piece as its own line leaves the gap empty.
std::vector<Series> SplitAtGaps(const Series& series, std::int64_t threshold);

// At most two points for each of `columns` equal columns of [fromUtc, toUtc): the lowest and
// the highest of the points that fall into it, in time order, so that every peak and trough
// of the full series is still drawn. Points outside the span are dropped.
Series Thin(const Series& series, std::int64_t fromUtc, std::int64_t toUtc, int columns);

// The rain of each day, from the station's "rain since midnight": every rise adds, and a fall
// is the count starting over from zero. A day starts at local midnight, `utcOffset` seconds
// east of UTC; each point is the day's start and its total.
Series DailyRain(std::span<const ReportRow> rows, std::int64_t utcOffset);

}  // namespace pluvetta
