#pragma once

#include <QRect>
#include <QSize>
#include <cmath>

namespace pluvetta {

// The window is laid out in twips; 15 twips are one logical pixel.
inline constexpr double kTwipsPerPixel = 15.0;

// A distance in twips as whole logical pixels, rounded to the nearest.
inline int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// A rectangle in twips as pixels; both edges are rounded, so neighbours that touch in twips
// still touch on screen.
inline QRect TwipsRect(int left, int top, int width, int height) {
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

inline QSize TwipsSize(int width, int height) {
    return QSize(TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace pluvetta
