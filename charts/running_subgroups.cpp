#include "charts/running_subgroups.h"

#include <algorithm>
#include <cmath>

#include "charts/control_constants.h"

namespace mensora {

RunningSubgroups::RunningSubgroups(int subgroupSize, std::uint32_t recordCapacity)
    : size_(boundedSubgroupSize(subgroupSize)),
      capacity_(recordCapacity / size_),
      means_(capacity_),
      ranges_(capacity_) {}

void RunningSubgroups::add(double value) {
    if (means_.size() == capacity_) return;
    if (means_.size() == 0 && filling_ == 0) first_ = value;
    if (size_ == 1) {
        if (means_.size() > 0) {
            const double range = std::fabs(value - previous_);
            ranges_.append(static_cast<float>(range));
            rangeSum_ += range;
        }
        previous_ = value;
        means_.append(static_cast<float>(value));
        meanSum_ += value - first_;
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
    means_.append(static_cast<float>(first_ + meanFromFirst));
    meanSum_ += meanFromFirst;
    ranges_.append(static_cast<float>(largest_ - smallest_));
    rangeSum_ += largest_ - smallest_;
}

void RunningSubgroups::clear() {
    means_.clear();
    ranges_.clear();
    meanSum_ = rangeSum_ = 0.0;
    filling_ = 0;
}

std::optional<double> RunningSubgroups::grandMean() const {
    if (means_.size() == 0) return std::nullopt;
    return first_ + meanSum_ / means_.size();
}

std::optional<double> RunningSubgroups::averageRange() const {
    if (ranges_.size() == 0) return std::nullopt;
    return rangeSum_ / ranges_.size();
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
