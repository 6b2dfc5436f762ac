#pragma once

#include <QRect>

namespace dravelin {

// Positions and sizes are designed in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace dravelin
