// A value type and its conversion, no class: control geometry in twips (1/1440 inch), the unit the
// window layouts are drawn in.
#pragma once

#include <QRect>

// A control's left, top, width and height in twips.
struct Twips {
    int left, top, width, height;
};

// The rectangle in pixels, at 15 twips a pixel.
inline QRect toPixels(const Twips& twips) {
    constexpr int perPixel = 15;
    return {twips.left / perPixel, twips.top / perPixel, twips.width / perPixel,
            twips.height / perPixel};
}
