#pragma once
// The histogram of the records against the tolerance, with the normal curve of the overall
// mean and sigma. The bins are counted from every record at each drawing.

#include <cstdint>
#include <span>
#include <vector>

#include "charts/canvas.h"
#include "charts/chart_inputs.h"

namespace mensora {

struct Bins {
    double low;    // left edge of the first bin
    double width;  // every bin's width
    std::vector<std::uint32_t> counts;
    double high() const { return low + width * static_cast<double>(counts.size()); }
};

inline constexpr std::size_t kMostBins = 40;

// Bins for `values`: the width by Scott's normal reference rule, 3.49 σ n^(-1/3), which needs
// only the running sigma (Freedman and Diaconis's quartiles would need the records sorted at
// each drawing). The width is a whole number of reading steps (10^-decimals), with edges
// halfway between steps, so that no bin catches more distinct readings than its neighbours;
// between 1 and kMostBins bins span the readings. Empty for no values.
Bins binValues(std::span<const float> values, const RunningCapability& capability, int decimals);

void drawHistogram(Canvas& canvas, const Rect& area, const ChartInputs& inputs);

}  // namespace mensora
