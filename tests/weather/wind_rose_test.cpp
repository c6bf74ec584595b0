#include "weather/wind_rose.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "weather/recording_canvas.h"
#include "weather/test_readings.h"

namespace pluvetta {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

Call LineCall(PointF from, PointF to, Rgb color) { return {Kind::Line, from, to, 0.0, color}; }

TEST(DrawWindRose, NeedlesRiseFromTheBaseSpeedOverGustAndCalmOnlyClears) {
    const Call clear{}, northDot{Kind::Circle, {607, 87}, {}, 10.0, kDirectionDotGreen};
    const auto gust = [](double y) { return LineCall({607, 467}, {607, y}, kGustNeedleRed); };
    const auto speed = [](double y) { return LineCall({607, 467}, {607, y}, kSpeedNeedleYellow); };
    // Direction, speed, gust, whether calm, the calls. A needle is 140 twips plus 12 per km/h
    // long; that of an absent gust stops at the centre.
    const std::tuple<std::int16_t, float, float, bool, std::vector<Call>> cases[] = {
        {0, 10, 20, false, {clear, northDot, gust(227), speed(347)}},
        {0, 0, kMissingGust, false, {clear, northDot, gust(607), speed(467)}},
        {0, 0, 0, true, {clear}},
        {90, 0, 0, true, {clear}},
        {-45, 0, 0, true, {clear}},
        {720, 0, 0, true, {clear}},
    };
    for (const auto& [direction, kmh, gustKmh, calm, calls] : cases) {
        RecordingCanvas canvas;
        EXPECT_EQ(DrawWindRose(canvas, direction, kmh, gustKmh), calm) << direction << " " << kmh;
        EXPECT_EQ(canvas.calls, calls) << direction << " " << kmh;
    }
}

TEST(DrawWindRose, EastWindIsCappedAtTheRim) {
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawWindRose(canvas, 90, 50.0f, 60.0f));
    ASSERT_EQ(canvas.calls.size(), 4u);
    // 3.14159 / 180 leaves 90 degrees a hair above the horizontal: 607 - 520 cos(1.570795).
    const double rimY = 606.99931;
    EXPECT_DOUBLE_EQ(canvas.calls[1].from.x, 1127.0);
    EXPECT_NEAR(canvas.calls[1].from.y, rimY, 1e-5);
    for (const std::size_t needle : {2u, 3u}) {
        EXPECT_DOUBLE_EQ(canvas.calls[needle].to.x, 1127.0);
        EXPECT_NEAR(canvas.calls[needle].to.y, rimY, 1e-5);
    }
}

}  // namespace
}  // namespace pluvetta
