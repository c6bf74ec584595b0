#include "history/series.h"

#include <algorithm>

namespace pluvetta {

Series ValueSeries(std::span<const ReportRow> rows, Value value) {
    Series out;
    for (const ReportRow& row : rows) {
        if (const auto& v = row[value]) out.push_back({row.receivedUtc, *v});
    }
    return out;
}

std::int64_t GapThreshold(std::span<const ReportRow> rows) {
    std::vector<std::int64_t> steps;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        steps.push_back(rows[i].receivedUtc - rows[i - 1].receivedUtc);
    }
    if (steps.empty()) return kMinimumGap;
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return std::max(3 * *middle, kMinimumGap);
}

std::vector<Series> SplitAtGaps(const Series& series, std::int64_t threshold) {
    std::vector<Series> pieces;
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (i == 0 || series[i].t - series[i - 1].t > threshold) pieces.emplace_back();
        pieces.back().push_back(series[i]);
    }
    return pieces;
}

Series Thin(const Series& series, std::int64_t fromUtc, std::int64_t toUtc, int columns) {
    Series out;
    if (columns <= 0 || toUtc <= fromUtc) return out;
    const std::int64_t span = toUtc - fromUtc;
    std::size_t i = 0;
    while (i < series.size()) {
        const std::int64_t t = series[i].t;
        if (t < fromUtc || t >= toUtc) {
            ++i;
            continue;
        }
        const std::int64_t column = (t - fromUtc) * columns / span;
        std::size_t low = i, high = i;
        for (++i; i < series.size(); ++i) {
            const std::int64_t u = series[i].t;
            if (u >= toUtc || (u - fromUtc) * columns / span != column) break;
            if (series[i].v < series[low].v) low = i;
            if (series[i].v > series[high].v) high = i;
        }
        out.push_back(series[std::min(low, high)]);
        if (low != high) out.push_back(series[std::max(low, high)]);
    }
    return out;
}

Series DailyRain(std::span<const ReportRow> rows, std::int64_t utcOffset) {
    constexpr std::int64_t kDay = std::int64_t{24} * 3600;
    Series out;
    std::optional<double> previous;
    for (const ReportRow& row : rows) {
        const auto& count = row[Value::RainSinceMidnight];
        if (!count) continue;
        const std::int64_t local = row.receivedUtc + utcOffset;
        const std::int64_t dayStart = local - ((local % kDay) + kDay) % kDay - utcOffset;
        if (out.empty() || out.back().t != dayStart) out.push_back({dayStart, 0.0});
        if (previous) out.back().v += *count >= *previous ? *count - *previous : *count;
        previous = count;
    }
    return out;
}

}  // namespace pluvetta
