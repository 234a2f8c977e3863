#pragma once
// The control limits of a value chart (individuals, or subgroup means) and of the range chart
// under it (moving ranges, or subgroup ranges), in one place: both charts, the run rules and
// the capability figures read them from here, whether they come from the records taken so far
// or were fixed at some moment and kept.

#include <cstdint>

#include "measure/fixed_limits.h"

namespace mensora {

enum class LimitsSource : std::uint8_t {
    AllRecords,  // recomputed from every record since start-up or the last Clear
    Fixed,       // kept as they were when fixed
};

// Which limits are in use, as a plan or the settings keep it.
struct LimitsSetting {
    LimitsSource inUse = LimitsSource::AllRecords;
    FixedLimits fixed;  // read only while inUse is Fixed

    bool operator==(const LimitsSetting&) const = default;
};

struct ControlLimits {
    LimitsSource source = LimitsSource::AllRecords;
    std::uint8_t subgroupSize = 1;
    double centre = 0.0;  // of the value chart
    double sigma = 0.0;   // σ within, of single readings
    double lower = 0.0;   // of the value chart: centre ∓ A2·R̄ (3 σ for single readings)
    double upper = 0.0;
    double rangeCentre = 0.0;  // MR̄ or R̄
    double rangeLower = 0.0;   // D3·R̄
    double rangeUpper = 0.0;   // D4·R̄

    // The spread of what the value chart plots (σ/√n for means): the run rules' zones are
    // whole multiples of it, and its third multiple is exactly where the limits are drawn.
    double pointSigma() const { return (upper - centre) / 3.0; }
};

// σ within from the average range of subgroups of `subgroupSize` (moving ranges for 1).
double withinSigma(double averageRange, std::uint8_t subgroupSize);

ControlLimits limitsFromRecords(double centre, double averageRange, std::uint8_t subgroupSize);
ControlLimits limitsFromFixed(const FixedLimits& fixed);

}  // namespace mensora
