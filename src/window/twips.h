#pragma once

#include <QRect>

namespace window {

// Layout is given in twips, 15 to the pixel at 96 dots per inch. The one
// rounding rule: to the nearest pixel, halves up.
constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace window
