#pragma once
// The windows lay their controls out in twips (15 to a pixel at 96 DPI); the
// pictures must put every painted face exactly under those controls, so the
// artwork takes its places from the same twips values.
#include <QRect>
#include <cmath>

constexpr int kTwipsPerPixel = 15;

inline int px(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// A control's rectangle in pixels from its twips geometry.
inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// A picture of a fixed pixel size shown at a control's top-left corner.
inline QRect pictureAt(double left, double top, int width, int height)
{
    return QRect(px(left), px(top), width, height);
}
