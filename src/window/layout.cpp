#include "layout.h"

#include <cstdint>

int TwipsToPixels(int twips, int dpi) {
    const std::int64_t product = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    // Half away from zero, as MulDiv rounds.
    return static_cast<int>(product >= 0 ? (product + half) / kTwipsPerInch : (product - half) / kTwipsPerInch);
}

PixelRect ToPixels(const TwipsRect& twips, int dpi) {
    const int left = TwipsToPixels(twips.left, dpi);
    const int top = TwipsToPixels(twips.top, dpi);
    const int right = TwipsToPixels(twips.left + twips.width, dpi);
    const int bottom = TwipsToPixels(twips.top + twips.height, dpi);
    return {left, top, right - left, bottom - top};
}
