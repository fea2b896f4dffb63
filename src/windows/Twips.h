#pragma once

#include <QRect>
#include <QSize>

namespace orva {

// Window geometry is laid out in twips (1/1440 inch); 15 of them make one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips)
{
    return twips / kTwipsPerPixel;
}

// A rectangle given as left, top, width and height in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const
    {
        return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
                pixelsFromTwips(height)};
    }
};

inline QSize pixelSizeFromTwips(int width, int height)
{
    return {pixelsFromTwips(width), pixelsFromTwips(height)};
}

} // namespace orva
