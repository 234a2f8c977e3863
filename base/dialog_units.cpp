#include "base/dialog_units.h"

#include <algorithm>
#include <cmath>

namespace mensora {
namespace {

// value × base ÷ divisor, rounded half up (the units are never negative).
int scaled(int value, int base, int divisor) { return (value * base + divisor / 2) / divisor; }

}  // namespace

DialogBaseUnits dialogBaseUnits(double lettersAdvance, int cellHeight) {
    const double average = lettersAdvance / kAverageWidthLetterCount;
    // A face whose letters are exactly half a pixel over a whole number (a 13-pixel face with
    // half-width Latin letters) must round up on every machine: a hair of tolerance keeps the
    // sum's last bits from deciding.
    return {static_cast<int>(std::floor(average + 0.5 + 1e-9)), cellHeight};
}

PixelRect toPixelRect(const DialogRect& rect, DialogBaseUnits units) {
    return {scaled(rect.x, units.x, 4), scaled(rect.y, units.y, 8), scaled(rect.width, units.x, 4),
            scaled(rect.height, units.y, 8)};
}

PixelSize minimumClientSize(PixelSize frame) {
    return {std::max(0, kMinimumWidthPixels - frame.width),
            std::max(0, kMinimumHeightPixels - frame.height)};
}

}  // namespace mensora
