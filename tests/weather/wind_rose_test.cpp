#include "weather/wind_rose.h"

#include <gtest/gtest.h>

#include <vector>

#include "weather/recording_canvas.h"
#include "weather/test_readings.h"

namespace pluvetta {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

Call LineCall(PointF from, PointF to, Rgb color) { return {Kind::Line, from, to, 0.0, color}; }

TEST(DrawWindRose, NorthWindPointsUpWithSpeedNeedleOverGust) {
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawWindRose(canvas, 0, 10.0f, 20.0f));
    const std::vector<Call> expected = {
        {Kind::Clear, {}, {}, 0.0, {}},
        {Kind::Circle, {607, 87}, {}, 10.0, kDirectionDotGreen},
        LineCall({607, 467}, {607, 227}, kGustNeedleRed),       // 20 km/h: 380 twips
        LineCall({607, 467}, {607, 347}, kSpeedNeedleYellow)};  // 10 km/h: 260 twips
    EXPECT_EQ(canvas.calls, expected);
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

TEST(DrawWindRose, CalmAirOnlyClearsWhateverTheDirection) {
    for (const std::int16_t direction : {0, 90, -45, 720}) {
        RecordingCanvas canvas;
        EXPECT_TRUE(DrawWindRose(canvas, direction, 0.0f, 0.0f)) << direction;
        EXPECT_EQ(canvas.calls, std::vector<Call>{Call{}}) << direction;
    }
}

TEST(DrawWindRose, StillAirWithoutGustIsNotCalm) {
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawWindRose(canvas, 0, 0.0f, kMissingGust));
    const auto shown = canvas.SinceLastClear();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1], LineCall({607, 467}, {607, 607}, kGustNeedleRed));  // down to the centre
    EXPECT_EQ(shown[2], LineCall({607, 467}, {607, 467}, kSpeedNeedleYellow));
}

}  // namespace
}  // namespace pluvetta
