#pragma once
// Consecutive readings of one characteristic taken n at a time (1..10): each complete subgroup
// gives one point of the means chart (X̄) and one of the range chart (R). Kept up to date in a
// fixed number of steps a reading, whatever the number before it. Subgroups of one are the
// individuals and their moving ranges.
//
// The points are kept as floats, as the run chart keeps the readings, ready to be drawn a
// pixel column per stretch; the sums behind X̿ and R̄ are doubles, X̿'s measured from the first
// reading as the capability figures' are, so that a large part keeps its last digit.

#include <cstdint>
#include <optional>

#include "charts/control_limits.h"
#include "charts/value_column.h"
#include "measure/record_store.h"

namespace mensora {

class RunningSubgroups {
public:
    // A size outside 1..10 is taken as the nearest one. Room for the points of
    // `recordCapacity` readings is reserved at once, untouched until they come; with none, the
    // subgroups only watch (X̿, R̄ and the newest point), as the run rules of a characteristic
    // that is not drawn need.
    explicit RunningSubgroups(int subgroupSize, std::uint32_t recordCapacity = kRecordCapacity);

    // Points beyond the room still count in X̿ and R̄; they are not kept.
    void add(double value);
    void clear();

    std::uint8_t subgroupSize() const { return size_; }
    // Readings of the subgroup being filled, 0..n-1: none of them is plotted yet.
    std::uint8_t filling() const { return filling_; }

    // The means chart's points: the subgroups' means (for n = 1 the readings themselves).
    const ValueColumn& means() const { return means_; }
    // The range chart's points: each subgroup's largest reading less its smallest; for n = 1
    // the moving ranges, one fewer than the readings.
    const ValueColumn& ranges() const { return ranges_; }
    // The points so far, kept or not, and the newest of them (only while there is one).
    std::uint32_t pointCount() const { return pointCount_; }
    std::uint32_t rangeCount() const { return rangeCount_; }
    double newestMean() const { return newestMean_; }
    double newestRange() const { return newestRange_; }

    // Each is empty until there is one point to average.
    std::optional<double> grandMean() const;
    std::optional<double> averageRange() const;
    std::optional<double> sigmaWithin() const;

    // The limits the setting asks for: the fixed ones while they are in use and were fixed
    // for subgroups of this size (those of another size do not describe these points), else
    // those of every record, which are empty until there is a range.
    std::optional<ControlLimits> limits(const LimitsSetting& setting = {}) const;

private:
    void addPoint(double mean, double meanFromFirst);
    void addRange(double range);

    std::uint8_t size_;
    ValueColumn means_;
    ValueColumn ranges_;

    double first_ = 0.0;    // the first reading, which X̿'s sum is measured from
    double meanSum_ = 0.0;  // of mean - first_
    double rangeSum_ = 0.0;
    std::uint8_t filling_ = 0;
    double fillingSum_ = 0.0;  // of value - first_
    double smallest_ = 0.0;    // of the subgroup being filled
    double largest_ = 0.0;
    double previous_ = 0.0;  // the last reading, for the moving ranges of n = 1
    std::uint32_t pointCount_ = 0;
    std::uint32_t rangeCount_ = 0;
    double newestMean_ = 0.0;
    double newestRange_ = 0.0;
};

}  // namespace mensora
