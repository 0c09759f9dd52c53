#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cmath>

namespace veldra {

// Positions and sizes are given in twips; the screen counts logical pixels, 15 twips
// each. Every conversion goes through here, rounding to the nearest.
constexpr int kTwipsPerPixel = 15;

inline int PixelsFromTwips(int twips) {
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

constexpr int TwipsFromPixels(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QSize SizeFromTwips(int width, int height) {
    return {PixelsFromTwips(width), PixelsFromTwips(height)};
}

inline QRect RectFromTwips(int left, int top, int width, int height) {
    return {QPoint(PixelsFromTwips(left), PixelsFromTwips(top)), SizeFromTwips(width, height)};
}

// A control given the name the design knows it by, at its place.
template <class Control>
Control* Named(Control* control, const QString& name, QRect geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

}  // namespace veldra
