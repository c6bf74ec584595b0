#include "weather/wind_rose.h"

#include <cmath>

namespace pluvetta {
namespace {

// Twips inside the picture, y downwards.
constexpr double kCentre = 607;
constexpr double kRimRadius = 520;
constexpr double kNeedleBase = 140;
constexpr double kTwipsPerKmh = 12;
constexpr double kDotRadius = 10;
// 3.14159 / 180 rather than a full-precision pi / 180: the points depend on it in their last
// digits, and 90 degrees sits a hair off the horizontal axis.
constexpr double kRadiansPerDegree = 0.017453277777777776;

double NeedleLength(double kmh) { return std::fmin(kmh * kTwipsPerKmh + kNeedleBase, kRimRadius); }

}  // namespace

bool DrawWindRose(Canvas& canvas, std::int16_t direction, float speed, float gust) {
    // The speed needle has no lower limit; the gust needle stops at the centre.
    const double speedLength = NeedleLength(speed);
    double gustLength = NeedleLength(gust);
    if (gustLength < 0) gustLength = 0;
    const double angle = direction * kRadiansPerDegree;
    const float c = static_cast<float>(std::cos(angle));
    const float s = static_cast<float>(std::sin(angle));
    const auto along = [c, s](double length) {
        return PointF{kCentre + length * s, kCentre - length * c};
    };

    canvas.Clear();
    if (speed == 0.0f && gust == 0.0f) return true;

    canvas.Circle(along(kRimRadius), kDotRadius, kDirectionDotGreen);
    canvas.Line(along(kNeedleBase), along(gustLength), kGustNeedleRed);
    canvas.Line(along(kNeedleBase), along(speedLength), kSpeedNeedleYellow);
    return false;
}

}  // namespace pluvetta
