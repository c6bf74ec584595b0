#pragma once

#include <cstdint>

#include "weather/canvas.h"

namespace pluvetta {

// The trend boxes beside temperature, humidity and pressure, in twips: blue lines on light
// yellow, one pixel wide.
inline constexpr double kTrendBoxWidth = 255;
inline constexpr double kTrendBoxHeight = 245;
inline constexpr Rgb kTrendBackground{0xFF, 0xFF, 0xC0};

// The last shown value of each trended reading. Starts at zero and is never reset, so the first
// arrow after a connection compares with whatever was shown before it.
struct PreviousReading {
    float Temperature = 0.0f;
    std::int16_t Humidity = 0;
    float Pressure = 0.0f;
};

enum class TrendArrow { Up, Level, Down, None };

// Up for any rise, Level for no change at all, Down for any fall (no dead band); None for a
// change that is not a number.
TrendArrow TrendOf(float change);

// Draws the figure for `change` (new value minus previous) into a trend box without clearing
// it: an arrow up, two level bars or an arrow down, in kNormalBlue.
void DrawTrendArrow(Canvas& canvas, float change);

// The humidity change between two reports, taken as whole percent.
float HumidityChange(std::int16_t now, std::int16_t previous);

}  // namespace pluvetta
