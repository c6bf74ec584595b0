#include "weather/trend.h"

#include <cstddef>
#include <initializer_list>
#include <iterator>

namespace pluvetta {
namespace {

// Draws lines from point to point, each starting where the last one ended.
void Polyline(Canvas& canvas, std::initializer_list<PointF> points) {
    const PointF* const point = std::data(points);
    for (std::size_t i = 1; i < points.size(); ++i)
        canvas.Line(point[i - 1], point[i], kNormalBlue);
}

}  // namespace

TrendArrow TrendOf(float change) {
    if (change > 0.0f) return TrendArrow::Up;
    if (change == 0.0f) return TrendArrow::Level;
    if (change < 0.0f) return TrendArrow::Down;
    return TrendArrow::None;
}

void DrawTrendArrow(Canvas& canvas, float change) {
    // Twips inside the 255 x 245 box, y downwards; each arrow head is a closed triangle with its
    // point on the end of the shaft.
    switch (TrendOf(change)) {
        case TrendArrow::Up:
            Polyline(canvas, {{127, 200}, {127, 35}});
            Polyline(canvas, {{127, 35}, {170, 70}, {70, 70}, {127, 35}});
            break;
        case TrendArrow::Level:
            Polyline(canvas, {{50, 100}, {200, 100}});
            Polyline(canvas, {{50, 155}, {200, 155}});
            break;
        case TrendArrow::Down:
            Polyline(canvas, {{127, 35}, {127, 200}});
            Polyline(canvas, {{127, 200}, {170, 150}, {70, 150}, {127, 200}});
            break;
        case TrendArrow::None:
            break;
    }
}

float HumidityChange(std::int16_t now, std::int16_t previous) {
    // Shown humidities are above 0 and the previous one starts at 0, so the 16-bit difference
    // never overflows; int holds it for any pair all the same.
    return static_cast<float>(static_cast<int>(now) - static_cast<int>(previous));
}

}  // namespace pluvetta
