#pragma once

#include <cstdint>

namespace pluvetta {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kNormalBlue{0, 0, 255};
inline constexpr Rgb kAlarmRed{255, 0, 0};

// A point in twips inside a picture, y growing downwards.
struct PointF {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

// A picture the core draws on, in twips. The picture owns its pen width and background; the
// shell maps twips to pixels.
class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual void Clear() = 0;
    virtual void Line(PointF from, PointF to, Rgb color) = 0;
    virtual void Circle(PointF centre, double radius, Rgb color) = 0;
};

}  // namespace pluvetta
