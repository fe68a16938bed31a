#pragma once

#include <QRect>

// Every place and size of the two windows is written in twips, the unit of their layout tables;
// they become pixels here and nowhere else. 15 twips are one pixel at 96 dots per inch.
namespace vantorel::twips {

inline constexpr int PerPixel = 15;

// Rounded to the nearest pixel; a twips value never lies exactly half way between two pixels.
constexpr int ToPixels(int twips) {
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

constexpr int FromPixels(int pixels) {
    return pixels * PerPixel;
}

constexpr QRect Rect(int left, int top, int width, int height) {
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

} // namespace vantorel::twips
