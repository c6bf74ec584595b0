#pragma once

#include <algorithm>
#include <vector>

#include "weather/canvas.h"

namespace pluvetta {

// A Canvas that keeps every call, in order, for tests to compare with what should be drawn.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind { Clear, Line, Circle };

    // A value-initialised Call, `{}`, is a Clear.
    struct Call {
        Kind kind = Kind::Clear;
        PointF from;  // a line's start, a circle's centre
        PointF to;    // a line's end
        double radius = 0.0;
        Rgb color;
        friend bool operator==(const Call&, const Call&) = default;
    };

    void Clear() override { calls.push_back({}); }
    void Line(PointF from, PointF to, Rgb color) override {
        calls.push_back({Kind::Line, from, to, 0.0, color});
    }
    void Circle(PointF centre, double radius, Rgb color) override {
        calls.push_back({Kind::Circle, centre, {}, radius, color});
    }

    // The calls made after the last Clear, which are what the picture shows.
    std::vector<Call> SinceLastClear() const {
        const auto clear = std::find(calls.rbegin(), calls.rend(), Call{});
        return {clear.base(), calls.end()};
    }

    std::vector<Call> calls;
};

}  // namespace pluvetta
