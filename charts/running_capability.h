#pragma once
// The process figures of the records, kept up to date with each record in a fixed number of
// steps: sums in double of each reading's distance from the first one, and of its square,
// and the sum of the moving ranges between consecutive records. Measured from the first
// reading, the sums stay small and exact, so a part of 2500 mm held to ±0.03 keeps its mean
// (and with it Cpk) to the last digit over a million records.

#include <cstdint>
#include <optional>

#include "charts/control_limits.h"
#include "measure/judgement.h"

namespace mensora {

// Figures that are undefined (too few records, no spread) are empty.
struct CapabilityFigures {
    std::uint32_t count = 0;
    std::optional<double> mean;
    std::optional<double> sigma;        // overall sample standard deviation (n - 1)
    std::optional<double> sigmaWithin;  // average moving range (or subgroup range) / d2
    std::optional<double> cp;
    std::optional<double> cpk;
    std::optional<double> pp;
    std::optional<double> ppk;
};

class RunningCapability {
public:
    void add(double value);
    void clear() { *this = RunningCapability(); }

    std::uint32_t count() const { return count_; }
    // Each is empty while undefined: the mean below one record, the spreads below two.
    std::optional<double> mean() const;
    std::optional<double> sigma() const;
    std::optional<double> sigmaWithin() const;
    // MR̄, the average difference between consecutive records; empty below two records.
    std::optional<double> averageMovingRange() const;
    std::optional<double> minimum() const;
    std::optional<double> maximum() const;
    // The individuals and moving-range charts' limits from every record; empty below two.
    std::optional<ControlLimits> controlLimits() const;

    // The indices against the tolerance: Cp and Cpk from the within spread, Pp and Ppk from
    // the overall one; each undefined below two records or with a zero spread.
    CapabilityFigures figures(const ToleranceLimits& limits) const;
    // The same with another estimate of the within spread: that of subgroups of two or more
    // readings, which sees less of the drift between parts than the moving ranges do.
    CapabilityFigures figures(const ToleranceLimits& limits,
                              std::optional<double> sigmaWithin) const;

private:
    std::uint32_t count_ = 0;
    double first_ = 0.0;
    double sum_ = 0.0;        // of value - first_
    double squareSum_ = 0.0;  // of (value - first_)^2
    double movingRangeSum_ = 0.0;
    double previous_ = 0.0;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
};

}  // namespace mensora
