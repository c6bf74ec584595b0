#include "weather/trend.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "weather/recording_canvas.h"

namespace pluvetta {
namespace {

using Segment = std::pair<PointF, PointF>;

std::vector<Segment> BlueSegments(const RecordingCanvas& canvas) {
    std::vector<Segment> segments;
    for (const RecordingCanvas::Call& call : canvas.calls) {
        EXPECT_EQ(call.kind, RecordingCanvas::Kind::Line);  // drawn over, never cleared here
        EXPECT_EQ(call.color, kNormalBlue);
        segments.emplace_back(call.from, call.to);
    }
    return segments;
}

TEST(DrawTrendArrow, SignOfTheChangePicksTheFigure) {
    const std::vector<Segment> up = {{{127, 200}, {127, 35}},
                                     {{127, 35}, {170, 70}},
                                     {{170, 70}, {70, 70}},
                                     {{70, 70}, {127, 35}}};
    const std::vector<Segment> level = {{{50, 100}, {200, 100}}, {{50, 155}, {200, 155}}};
    const std::vector<Segment> down = {{{127, 35}, {127, 200}},
                                       {{127, 200}, {170, 150}},
                                       {{170, 150}, {70, 150}},
                                       {{70, 150}, {127, 200}}};
    const std::pair<float, const std::vector<Segment>*> cases[] = {
        {0.1f, &up},    {1e-6f, &up},    {0.0f, &level},           {-0.0f, &level},
        {-0.1f, &down}, {-1e-6f, &down}, {1013.3f - 1013.2f, &up}, {HumidityChange(49, 50), &down},
    };
    for (const auto& [change, figure] : cases) {
        RecordingCanvas canvas;
        DrawTrendArrow(canvas, change);
        EXPECT_EQ(BlueSegments(canvas), *figure) << change;
    }
}

TEST(DrawTrendArrow, ChangeThatIsNotANumberDrawsNothing) {
    RecordingCanvas canvas;
    DrawTrendArrow(canvas, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(canvas.calls.size(), 0u);
}

}  // namespace
}  // namespace pluvetta
