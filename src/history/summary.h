#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "history/series.h"

namespace pluvetta {

// A value and when it was reached.
struct Extreme {
    double value = 0.0;
    std::int64_t t = 0;
    bool operator==(const Extreme&) const = default;
};
struct Extremes {
    Extreme low, high;
    bool operator==(const Extremes&) const = default;
};

// The lowest and highest points (the first of equals); nullopt for an empty series.
std::optional<Extremes> FindExtremes(const Series& series);
// The mean of the points' values; nullopt for an empty series.
std::optional<double> Mean(const Series& series);

// How far from three hours before the latest point a matching earlier point may be.
inline constexpr std::int64_t kTendencyTolerance = std::int64_t{30} * 60;

// The pressure change over the three hours before the series' last point, in mb rounded to the
// station's tenths; nullopt when no point lies within kTendencyTolerance of three hours back.
std::optional<double> PressureChange3h(const Series& pressure);

// The barometric tendency in words: within half a millibar either way it is steady; beyond
// three millibars in three hours it moves fast.
std::string TendencyWords(double change3h);

}  // namespace pluvetta
