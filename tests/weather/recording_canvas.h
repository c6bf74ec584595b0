#pragma once

#include <ostream>
#include <vector>

#include "weather/canvas.h"

namespace pluvetta {

// A Canvas that keeps every call, in order, for tests to compare with what should be drawn.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind { Clear, Line, Circle };

    struct Call {
        Kind kind = Kind::Clear;
        PointF from;  // a line's start, a circle's centre
        PointF to;    // a line's end
        double radius = 0.0;
        Rgb color;
        friend bool operator==(const Call&, const Call&) = default;
    };

    void Clear() override { calls.push_back({Kind::Clear, {}, {}, 0.0, {}}); }
    void Line(PointF lineFrom, PointF lineTo, Rgb color) override {
        calls.push_back({Kind::Line, lineFrom, lineTo, 0.0, color});
    }
    void Circle(PointF centre, double radius, Rgb color) override {
        calls.push_back({Kind::Circle, centre, {}, radius, color});
    }

    // The calls made after the last Clear, which are what the picture shows.
    std::vector<Call> SinceLastClear() const {
        std::vector<Call> shown;
        for (const Call& call : calls) {
            if (call.kind == Kind::Clear) {
                shown.clear();
            } else {
                shown.push_back(call);
            }
        }
        return shown;
    }

    std::vector<Call> calls;
};

// Let test failures print points and colours.
inline void PrintTo(const PointF& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "rgb(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}
inline void PrintTo(const RecordingCanvas::Call& call, std::ostream* os) {
    const char* kinds[] = {"Clear", "Line", "Circle"};
    *os << kinds[static_cast<int>(call.kind)] << " ";
    PrintTo(call.from, os);
    *os << " ";
    PrintTo(call.to, os);
    *os << " r" << call.radius << " ";
    PrintTo(call.color, os);
}

}  // namespace pluvetta
