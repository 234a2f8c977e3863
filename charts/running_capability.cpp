#include "charts/running_capability.h"

#include <algorithm>
#include <cmath>

namespace mensora {
namespace {

struct Indices {
    std::optional<double> potential;  // Cp or Pp
    std::optional<double> actual;     // Cpk or Ppk
};

Indices indicesOf(std::optional<double> mean, std::optional<double> sigma,
                  const ToleranceLimits& limits) {
    if (!mean || !sigma || !(*sigma > 0.0)) return {};
    const double spread = 6.0 * *sigma;
    const double nearest = std::min(limits.upper - *mean, *mean - limits.lower);
    return {(limits.upper - limits.lower) / spread, nearest / (spread / 2.0)};
}

}  // namespace

void RunningCapability::add(double value) {
    if (count_ == 0) {
        first_ = minimum_ = maximum_ = value;
    } else {
        movingRangeSum_ += std::fabs(value - previous_);
        minimum_ = std::min(minimum_, value);
        maximum_ = std::max(maximum_, value);
    }
    previous_ = value;
    ++count_;
    const double distance = value - first_;
    sum_ += distance;
    squareSum_ += distance * distance;
}

std::optional<double> RunningCapability::mean() const {
    if (count_ == 0) return std::nullopt;
    return first_ + sum_ / count_;
}

std::optional<double> RunningCapability::sigma() const {
    if (count_ < 2) return std::nullopt;
    // What rounding leaves of a zero spread may come out a hair below zero.
    const double squaredDeviations = squareSum_ - sum_ * sum_ / count_;
    return std::sqrt(std::max(0.0, squaredDeviations) / (count_ - 1));
}

std::optional<double> RunningCapability::averageMovingRange() const {
    if (count_ < 2) return std::nullopt;
    return movingRangeSum_ / (count_ - 1);
}

std::optional<double> RunningCapability::sigmaWithin() const {
    const std::optional<double> average = averageMovingRange();
    if (!average) return std::nullopt;
    return withinSigma(*average, 1);
}

std::optional<double> RunningCapability::minimum() const {
    if (count_ == 0) return std::nullopt;
    return minimum_;
}

std::optional<double> RunningCapability::maximum() const {
    if (count_ == 0) return std::nullopt;
    return maximum_;
}

std::optional<ControlLimits> RunningCapability::controlLimits() const {
    const std::optional<double> average = averageMovingRange();
    if (!average) return std::nullopt;
    return limitsFromRecords(*mean(), *average, 1);
}

CapabilityFigures RunningCapability::figures(const ToleranceLimits& limits) const {
    return figures(limits, sigmaWithin());
}

CapabilityFigures RunningCapability::figures(const ToleranceLimits& limits,
                                             std::optional<double> sigmaWithin) const {
    CapabilityFigures figures;
    figures.count = count_;
    figures.mean = mean();
    figures.sigma = sigma();
    figures.sigmaWithin = sigmaWithin;
    const Indices within = indicesOf(figures.mean, figures.sigmaWithin, limits);
    const Indices overall = indicesOf(figures.mean, figures.sigma, limits);
    figures.cp = within.potential;
    figures.cpk = within.actual;
    figures.pp = overall.potential;
    figures.ppk = overall.actual;
    return figures;
}

}  // namespace mensora
