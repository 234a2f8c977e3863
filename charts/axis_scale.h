#pragma once
// Mapping values to pixels along one axis, and the round numbers that label it.

#include <vector>

namespace mensora {

// A range of values that grows to take in what must be seen.
struct ValueRange {
    double low;
    double high;

    static ValueRange around(double value) { return {value, value}; }
    void include(double value);
    // Widens by `fraction` of the span on each side; an empty span is opened around its value
    // so that a single reading stands in the middle of the axis.
    ValueRange padded(double fraction) const;
};

// Values from low to high onto pixels from `from` to `to` (either way round).
class AxisScale {
public:
    AxisScale(ValueRange range, int from, int to) : range_(range), from_(from), to_(to) {}
    int pixel(double value) const;
    // pixel() held inside the axis: what lies beyond is drawn at its edge.
    int clampedPixel(double value) const;
    const ValueRange& range() const { return range_; }

private:
    ValueRange range_;
    int from_;
    int to_;
};

struct Ticks {
    std::vector<double> values;
    int decimals;  // enough to tell neighbouring ticks apart
};

// Ticks at steps of 1, 2 or 5 times a power of ten, the smallest step of which the range
// holds at most `most`; with `wholeNumbers` the step is never below 1 (counts).
Ticks niceTicks(const ValueRange& range, int most, bool wholeNumbers);

}  // namespace mensora
