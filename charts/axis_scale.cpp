#include "charts/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace mensora {

void ValueRange::include(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
}

ValueRange ValueRange::padded(double fraction) const {
    double span = high - low;
    if (!(span > 0.0)) {
        const double opening = std::max(std::fabs(low) * 1e-3, 1e-3);
        return {low - opening, high + opening};
    }
    return {low - span * fraction, high + span * fraction};
}

int AxisScale::pixel(double value) const {
    const double share = (value - range_.low) / (range_.high - range_.low);
    return from_ + static_cast<int>(std::lround(share * (to_ - from_)));
}

int AxisScale::clampedPixel(double value) const {
    const double share = std::clamp((value - range_.low) / (range_.high - range_.low), 0.0, 1.0);
    return from_ + static_cast<int>(std::lround(share * (to_ - from_)));
}

Ticks niceTicks(const ValueRange& range, int most, bool wholeNumbers) {
    const double span = range.high - range.low;
    if (!(span > 0.0) || most < 2) return {{}, 0};
    const double rough = span / most;
    int exponent = static_cast<int>(std::floor(std::log10(rough)));
    double step = 0.0;
    for (;; ++exponent) {
        const double power = std::pow(10.0, exponent);
        const double candidates[] = {power, 2 * power, 5 * power};
        const auto fits = std::find_if(std::begin(candidates), std::end(candidates),
                                       [&](double c) { return span / c <= most; });
        if (fits != std::end(candidates)) {
            step = *fits;
            break;
        }
    }
    if (wholeNumbers && step < 1.0) {
        step = 1.0;
        exponent = 0;
    }
    Ticks ticks{{}, std::max(0, -exponent)};
    // A tick on the range's very edge counts, whatever the division's last bit says.
    const double first = std::ceil(range.low / step - 1e-9) * step;
    for (double value = first; value <= range.high + step * 1e-9; value += step) {
        // Counting up in steps gathers rounding; a tick is its own multiple of the step.
        ticks.values.push_back(std::round(value / step) * step);
    }
    return ticks;
}

}  // namespace mensora
