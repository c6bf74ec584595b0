#include "weather/trend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "weather/recording_canvas.h"

namespace pluvetta {
namespace {

using Call = RecordingCanvas::Call;

// Blue lines joining the points in turn, as the figures are drawn.
std::vector<Call> Path(std::vector<PointF> points) {
    std::vector<Call> lines;
    for (std::size_t i = 1; i < points.size(); ++i) {
        lines.push_back({RecordingCanvas::Kind::Line, points[i - 1], points[i], 0.0, kNormalBlue});
    }
    return lines;
}

TEST(DrawTrendArrow, SignOfTheChangePicksTheFigureWithoutADeadBand) {
    const std::vector<Call> up = Path({{127, 200}, {127, 35}, {170, 70}, {70, 70}, {127, 35}});
    const std::vector<Call> down = Path({{127, 35}, {127, 200}, {170, 150}, {70, 150}, {127, 200}});
    const std::vector<Call> level = {Path({{50, 100}, {200, 100}})[0],
                                     Path({{50, 155}, {200, 155}})[0]};
    const std::pair<float, std::vector<Call>> cases[] = {
        {1e-6f, up}, {0.0f, level}, {-0.0f, level}, {-1e-6f, down}, {NAN, {}}};
    for (const auto& [change, figure] : cases) {
        RecordingCanvas canvas;
        DrawTrendArrow(canvas, change);
        EXPECT_EQ(canvas.calls, figure) << change;  // drawn over the box, never cleared here
    }
}

}  // namespace
}  // namespace pluvetta
