#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

namespace namori {

// The layout is drawn in twips: 15 twips make one device-independent pixel (96 per inch).
inline int Px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

// Font sizes are given in points; at 96 pixels per inch a point is 4/3 pixel.
inline int PointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 4.0 / 3.0));
}

}  // namespace namori
