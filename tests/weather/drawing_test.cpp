#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "weather/recording_canvas.h"
#include "weather/trend.h"
#include "weather/wind_rose.h"

namespace pluvetta {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

Call Dot(PointF at) { return {Kind::Circle, at, {}, 10.0, kDirectionDotGreen}; }
Call Line(PointF from, PointF to, Rgb color) { return {Kind::Line, from, to, 0.0, color}; }

// Blue lines joining the points in turn, as the figures are drawn.
std::vector<Call> Path(std::vector<PointF> points) {
    std::vector<Call> lines;
    for (std::size_t i = 1; i < points.size(); ++i) {
        lines.push_back(Line(points[i - 1], points[i], kNormalBlue));
    }
    return lines;
}

TEST(DrawTrendArrow, SignOfTheChangePicksTheFigureWithoutADeadBand) {
    const std::vector<Call> up = Path({{127, 200}, {127, 35}, {170, 70}, {70, 70}, {127, 35}});
    const std::vector<Call> down = Path({{127, 35}, {127, 200}, {170, 150}, {70, 150}, {127, 200}});
    const std::vector<Call> level = {Line({50, 100}, {200, 100}, kNormalBlue),
                                     Line({50, 155}, {200, 155}, kNormalBlue)};
    const std::pair<float, std::vector<Call>> cases[] = {
        {1e-6f, up}, {0.0f, level}, {-0.0f, level}, {-1e-6f, down}, {NAN, {}}};
    for (const auto& [change, figure] : cases) {
        RecordingCanvas canvas;
        DrawTrendArrow(canvas, change);
        EXPECT_EQ(canvas.calls, figure) << change;  // drawn over the box, never cleared here
    }
}

TEST(DrawWindRose, DotOnTheRimNeedlesFromTheBaseAndCalmOnlyClears) {
    const Rgb red = kGustNeedleRed, yellow = kSpeedNeedleYellow;
    // A needle is 140 twips plus 12 per km/h long, at most 520; that of an absent gust stops at
    // the centre. North, 10 km/h gusting 20:
    const PointF north{607, 87}, base{607, 467}, centre{607, 607}, at20{607, 227}, at10{607, 347};
    // 3.14159 / 180 leaves 90 degrees a hair off the horizontal, with the cosine held as a float.
    const PointF east{1127, 606.9993100666734}, eastBase{747, 606.9998142487198};
    // Direction, speed, gust, the calls. Calm air is only cleared, and the call says so.
    const std::tuple<std::int16_t, float, float, std::vector<Call>> cases[] = {
        {0, 10, 20, {{}, Dot(north), Line(base, at20, red), Line(base, at10, yellow)}},
        {0, 0, -16091.86f, {{}, Dot(north), Line(base, centre, red), Line(base, base, yellow)}},
        {90, 50, 60, {{}, Dot(east), Line(eastBase, east, red), Line(eastBase, east, yellow)}},
        {-45, 0, 0, {{}}},
    };
    for (const auto& [direction, speed, gust, calls] : cases) {
        RecordingCanvas canvas;
        EXPECT_EQ(DrawWindRose(canvas, direction, speed, gust), calls.size() == 1) << direction;
        EXPECT_EQ(canvas.calls, calls) << direction << " " << speed;
    }
}

}  // namespace
}  // namespace pluvetta
