#include "history/summary.h"

#include <cmath>
#include <cstdlib>
#include <numeric>

namespace pluvetta {

namespace {

constexpr std::int64_t kThreeHours = std::int64_t{3} * 3600;
// A home barometer's last digit wanders by a few tenths within the hour; half a millibar in
// three hours is the least change that is weather and not noise.
constexpr double kSteadyBand = 0.5;
// Beyond this in three hours the pressure moves "rapidamente", as shipping forecasts call it.
constexpr double kRapidChange = 3.0;

}  // namespace

std::optional<Extremes> FindExtremes(const Series& series) {
    if (series.empty()) return std::nullopt;
    Extremes out{{series[0].v, series[0].t}, {series[0].v, series[0].t}};
    for (const TimePoint& p : series) {
        if (p.v < out.low.value) out.low = {p.v, p.t};
        if (p.v > out.high.value) out.high = {p.v, p.t};
    }
    return out;
}

std::optional<double> Mean(const Series& series) {
    if (series.empty()) return std::nullopt;
    const double sum = std::accumulate(series.begin(), series.end(), 0.0,
                                       [](double s, const TimePoint& p) { return s + p.v; });
    return sum / static_cast<double>(series.size());
}

std::optional<double> PressureChange3h(const Series& pressure) {
    if (pressure.empty()) return std::nullopt;
    const TimePoint& last = pressure.back();
    const TimePoint* before = nullptr;
    for (const TimePoint& p : pressure) {
        const std::int64_t off = std::llabs(p.t - (last.t - kThreeHours));
        if (off <= kTendencyTolerance &&
            (!before || off < std::llabs(before->t - (last.t - kThreeHours)))) {
            before = &p;
        }
    }
    if (!before) return std::nullopt;
    return std::round((last.v - before->v) * 10.0) / 10.0;
}

std::string TendencyWords(double change3h) {
    if (std::fabs(change3h) <= kSteadyBand) return "stazionaria";
    std::string words = change3h > 0 ? "in aumento" : "in diminuzione";
    if (std::fabs(change3h) > kRapidChange) words += " rapidamente";
    return words;
}

}  // namespace pluvetta
