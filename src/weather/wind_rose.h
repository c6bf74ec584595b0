#pragma once

#include <cstdint>

#include "weather/canvas.h"

namespace pluvetta {

// The rose picture: a 1215-twip square on grey, drawn with a 5-pixel pen.
inline constexpr double kWindRoseSize = 1215;
inline constexpr Rgb kWindRoseBackground{0xC0, 0xC0, 0xC0};
inline constexpr int kWindRosePenPixels = 5;

inline constexpr Rgb kDirectionDotGreen{0, 255, 0};
inline constexpr Rgb kGustNeedleRed{255, 0, 0};
inline constexpr Rgb kSpeedNeedleYellow{255, 255, 0};

// Clears the rose, then draws the direction dot on the rim, the gust needle and over it the
// speed needle (km/h; a negative gust is absent). Returns true for calm air (speed and gust
// both 0): nothing is drawn after the clear and the calm label is to be shown.
bool DrawWindRose(Canvas& canvas, std::int16_t direction, float speed, float gust);

}  // namespace pluvetta
