#pragma once
// The factors of Shewhart's control charts for subgroups of 1 to 10 readings, as the quality
// handbooks tabulate them. A subgroup of one is the individuals chart, whose ranges are the
// moving ranges of two consecutive readings.

#include <cstdint>

#include "measure/inspection_plan.h"

namespace mensora {

struct ControlConstants {
    double a2;  // the plotted points' limits lie A2·R̄ either side of the centre
    double d2;  // R̄ / d2 estimates the spread of single readings (σ within)
    double d3;  // the range chart's lower limit is D3·R̄
    double d4;  // and its upper limit D4·R̄
};

// A subgroup size as a plan or the settings store it, brought into 1..kLargestSubgroup.
std::uint8_t boundedSubgroupSize(int size);

// The row of `subgroupSize` (1..kLargestSubgroup).
const ControlConstants& controlConstants(std::uint8_t subgroupSize);

}  // namespace mensora
