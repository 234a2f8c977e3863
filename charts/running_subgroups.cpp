#include "charts/running_subgroups.h"

#include <algorithm>
#include <cmath>

#include "charts/control_constants.h"

namespace mensora {

RunningSubgroups::RunningSubgroups(int subgroupSize, std::uint32_t recordCapacity)
    : size_(boundedSubgroupSize(subgroupSize)),
      means_(recordCapacity / size_),
      ranges_(recordCapacity / size_) {}

void RunningSubgroups::addPoint(double mean, double meanFromFirst) {
    means_.append(static_cast<float>(mean));
    meanSum_ += meanFromFirst;
    newestMean_ = mean;
    ++pointCount_;
}

void RunningSubgroups::addRange(double range) {
    ranges_.append(static_cast<float>(range));
    rangeSum_ += range;
    newestRange_ = range;
    ++rangeCount_;
}

void RunningSubgroups::add(double value) {
    if (pointCount_ == 0 && filling_ == 0) first_ = value;
    if (size_ == 1) {
        if (pointCount_ > 0) addRange(std::fabs(value - previous_));
        previous_ = value;
        addPoint(value, value - first_);
        return;
    }
    if (filling_ == 0) {
        smallest_ = largest_ = value;
        fillingSum_ = 0.0;
    } else {
        smallest_ = std::min(smallest_, value);
        largest_ = std::max(largest_, value);
    }
    fillingSum_ += value - first_;
    if (++filling_ < size_) return;
    filling_ = 0;
    const double meanFromFirst = fillingSum_ / size_;
    addPoint(first_ + meanFromFirst, meanFromFirst);
    addRange(largest_ - smallest_);
}

void RunningSubgroups::clear() {
    means_.clear();
    ranges_.clear();
    meanSum_ = rangeSum_ = 0.0;
    filling_ = 0;
    pointCount_ = rangeCount_ = 0;
}

std::optional<double> RunningSubgroups::grandMean() const {
    if (pointCount_ == 0) return std::nullopt;
    return first_ + meanSum_ / pointCount_;
}

std::optional<double> RunningSubgroups::averageRange() const {
    if (rangeCount_ == 0) return std::nullopt;
    return rangeSum_ / rangeCount_;
}

std::optional<double> RunningSubgroups::sigmaWithin() const {
    const std::optional<double> average = averageRange();
    if (!average) return std::nullopt;
    return withinSigma(*average, size_);
}

std::optional<ControlLimits> RunningSubgroups::limits(const LimitsSetting& setting) const {
    if (setting.inUse == LimitsSource::Fixed &&
        boundedSubgroupSize(setting.fixed.subgroupSize) == size_) {
        return limitsFromFixed(setting.fixed);
    }
    const std::optional<double> average = averageRange();
    if (!average) return std::nullopt;
    return limitsFromRecords(*grandMean(), *average, size_);
}

}  // namespace mensora
