#include "weather/wind_rose.h"

#include <gtest/gtest.h>

#include "weather/recording_canvas.h"
#include "weather/test_readings.h"

namespace pluvetta {
namespace {

using Kind = RecordingCanvas::Kind;

TEST(DrawWindRose, NorthWindPointsUpWithGustBeyondSpeed) {
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawWindRose(canvas, 0, 10.0f, 20.0f));
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Clear);

    const auto& dot = canvas.calls[1];
    EXPECT_EQ(dot.kind, Kind::Circle);
    EXPECT_EQ(dot.from, (PointF{607, 87}));
    EXPECT_EQ(dot.radius, 10.0);
    EXPECT_EQ(dot.color, kDirectionDotGreen);

    const auto& gust = canvas.calls[2];  // length 20 * 12 + 140 = 380
    EXPECT_EQ(gust.kind, Kind::Line);
    EXPECT_EQ(gust.from, (PointF{607, 467}));
    EXPECT_EQ(gust.to, (PointF{607, 227}));
    EXPECT_EQ(gust.color, kGustNeedleRed);

    const auto& speed = canvas.calls[3];  // drawn last, over the gust needle
    EXPECT_EQ(speed.from, (PointF{607, 467}));
    EXPECT_EQ(speed.to, (PointF{607, 347}));
    EXPECT_EQ(speed.color, kSpeedNeedleYellow);
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
        EXPECT_DOUBLE_EQ(canvas.calls[needle].from.x, 747.0);
        EXPECT_DOUBLE_EQ(canvas.calls[needle].to.x, 1127.0);
        EXPECT_NEAR(canvas.calls[needle].to.y, rimY, 1e-5);
    }
}

TEST(DrawWindRose, CalmAirOnlyClearsWhateverTheDirection) {
    for (const std::int16_t direction : {0, 90, 359, -45, 720}) {
        RecordingCanvas canvas;
        EXPECT_TRUE(DrawWindRose(canvas, direction, 0.0f, 0.0f)) << direction;
        ASSERT_EQ(canvas.calls.size(), 1u);
        EXPECT_EQ(canvas.calls[0].kind, Kind::Clear);
    }
}

TEST(DrawWindRose, StillAirWithoutGustIsNotCalm) {
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawWindRose(canvas, 0, 0.0f, kMissingGust));
    const auto shown = canvas.SinceLastClear();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].to, (PointF{607, 607}));    // gust needle clamped to the centre
    EXPECT_EQ(shown[2].from, (PointF{607, 467}));  // speed needle of zero length
    EXPECT_EQ(shown[2].to, (PointF{607, 467}));
}

TEST(DrawWindRose, NegativeDirectionTurnsCounterClockwise) {
    RecordingCanvas canvas;
    DrawWindRose(canvas, -90, 5.0f, 5.0f);
    EXPECT_NEAR(canvas.calls[1].from.x, 87.0, 1e-3);
    EXPECT_NEAR(canvas.calls[1].from.y, 607.0, 1e-3);
}

}  // namespace
}  // namespace pluvetta
