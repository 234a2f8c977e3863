#include "charts/control_limits.h"

#include "charts/control_constants.h"

namespace mensora {
namespace {

ControlLimits limitsAround(LimitsSource source, double centre, double sigma, double averageRange,
                           std::uint8_t subgroupSize) {
    const ControlConstants& row = controlConstants(subgroupSize);
    const double halfWidth = row.a2 * averageRange;
    return {source,       subgroupSize,          centre,
            sigma,        centre - halfWidth,    centre + halfWidth,
            averageRange, row.d3 * averageRange, row.d4 * averageRange};
}

}  // namespace

double withinSigma(double averageRange, std::uint8_t subgroupSize) {
    return averageRange / controlConstants(subgroupSize).d2;
}

ControlLimits limitsFromRecords(double centre, double averageRange, std::uint8_t subgroupSize) {
    return limitsAround(LimitsSource::AllRecords, centre, withinSigma(averageRange, subgroupSize),
                        averageRange, subgroupSize);
}

ControlLimits limitsFromFixed(const FixedLimits& fixed) {
    const std::uint8_t size = boundedSubgroupSize(fixed.subgroupSize);
    // For a known σ the ranges average d2·σ.
    return limitsAround(LimitsSource::Fixed, fixed.centre, fixed.sigma,
                        controlConstants(size).d2 * fixed.sigma, size);
}

}  // namespace mensora
