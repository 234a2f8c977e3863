#include "charts/control_constants.h"

#include <algorithm>
#include <array>

namespace mensora {
namespace {

// For single readings A2 is the individuals chart's E2 = 3 / d2, kept unrounded so that
// their limits are exactly the mean ± 3 σ within that the run chart has always drawn.
constexpr std::array<ControlConstants, kLargestSubgroup> kRows{{
    {3.0 / 1.128, 1.128, 0.0, 3.267},
    {1.880, 1.128, 0.0, 3.267},
    {1.023, 1.693, 0.0, 2.574},
    {0.729, 2.059, 0.0, 2.282},
    {0.577, 2.326, 0.0, 2.114},
    {0.483, 2.534, 0.0, 2.004},
    {0.419, 2.704, 0.076, 1.924},
    {0.373, 2.847, 0.136, 1.864},
    {0.337, 2.970, 0.184, 1.816},
    {0.308, 3.078, 0.223, 1.777},
}};

}  // namespace

std::uint8_t boundedSubgroupSize(int size) {
    return static_cast<std::uint8_t>(std::clamp(size, 1, int{kLargestSubgroup}));
}

const ControlConstants& controlConstants(std::uint8_t subgroupSize) {
    return kRows.at(subgroupSize - 1u);
}

}  // namespace mensora
