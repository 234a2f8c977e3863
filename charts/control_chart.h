#pragma once
// One stream of readings on its control charts: the readings taken n at a time into the value
// chart's points (readings, or subgroup means) and the range chart's (moving ranges, or
// subgroup ranges), each point judged by the watched run rules against the limits in use as it
// comes, the points a rule fired at marked for the charts, and each firing told with the
// records it covers. A reading costs a fixed number of steps whatever came before it.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "charts/control_limits.h"
#include "charts/rule_set.h"
#include "charts/run_rules.h"
#include "charts/running_subgroups.h"

namespace mensora {

// What the charts of one stream are asked to do, as a plan or the settings keep it.
struct ControlSettings {
    std::uint8_t subgroupSize = 1;
    LimitsSetting limits;
    RuleSet rules;

    bool operator==(const ControlSettings&) const = default;
};

// One rule that fired, and the records (numbered as the stream's reader numbers them) its
// pattern covers, from the first reading of its first point to the reading just taken.
struct RuleFiring {
    int rule = 0;
    bool rangeChart = false;  // fired on the range chart (rule 1 alone is watched there)
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;
};

// The firings of one reading: at most the eight rules on the value chart and rule 1 on the
// range chart, all at the point the reading completed.
struct RuleFirings {
    std::array<RuleFiring, kRuleCount + 1> fired{};
    std::size_t count = 0;
};

class ControlChart {
public:
    // With a `recordCapacity` of 0 the points and marks are not kept: the stream is watched
    // for its firings alone.
    ControlChart(const ControlSettings& settings, std::uint32_t recordCapacity);

    // The next reading, `record` its number: the rules that fired, if it completed a point.
    RuleFirings add(double value, std::uint32_t record);
    // Every reading forgotten; the settings stay.
    void clear();

    const ControlSettings& settings() const { return settings_; }
    const RunningSubgroups& subgroups() const { return subgroups_; }
    // The limits in use now; empty until the records give some and nothing is fixed.
    std::optional<ControlLimits> limits() const { return subgroups_.limits(settings_.limits); }
    // The points (from 0) at which a rule fired, in order: on the value chart, on the range
    // chart.
    const std::vector<std::uint32_t>& valueMarks() const { return valueMarks_; }
    const std::vector<std::uint32_t>& rangeMarks() const { return rangeMarks_; }

private:
    // The longest pattern a rule looks back over (rule 7's fifteen points), and one more.
    static constexpr std::uint32_t kRemembered = 16;

    ControlSettings settings_;
    bool keepsMarks_;
    RunningSubgroups subgroups_;
    RunRules rules_;
    // The first record of each of the last few points, by point number modulo kRemembered.
    std::array<std::uint32_t, kRemembered> firstRecords_{};
    std::uint32_t fillingFrom_ = 0;        // the first record of the subgroup being filled
    std::uint32_t previousPointFrom_ = 0;  // and of the point before it
    std::vector<std::uint32_t> valueMarks_;
    std::vector<std::uint32_t> rangeMarks_;
};

}  // namespace mensora
