#pragma once
// What the quality charts are drawn from: every reading recorded since start-up or the last
// Clear, as a number, the running process figures, and the control charts' points, limits and
// rule marks, and which records lay in the warning zone. Recording reports here (one update of a
// fixed size per record), whether or not a charts window is open, so that opening one shows
// everything at once.

#include <cstdint>
#include <span>
#include <vector>

#include "charts/control_chart.h"
#include "charts/running_capability.h"
#include "charts/value_column.h"
#include "measure/record_list_texts.h"
#include "measure/record_observer.h"

namespace mensora {

class ChartData : public RecordObserver {
public:
    // The chart data of every record reads each record's warning mark from the rows of the
    // record list (`marks`); without them a reading warns only when it is said to.
    explicit ChartData(const RecordListTexts* marks = nullptr);

    // The next record: the rules its control charts fired, under the settings configured. Its
    // warning mark is the list's, or as given for a characteristic's records gathered.
    RuleFirings add(float value, std::uint8_t decimalPlaces);
    RuleFirings add(float value, std::uint8_t decimalPlaces, bool warning);
    void recorded(float value, std::uint8_t decimalPlaces) override { add(value, decimalPlaces); }
    void cleared() override;

    // The control charts asked for from now on: another subgroup size, rules or limits
    // judge every record taken so far again, as if they had been in use from the start.
    void configure(const ControlSettings& settings);

    const ValueColumn& values() const { return values_; }
    const RunningCapability& capability() const { return capability_; }
    // The value and range charts' points (for subgroups of one the readings and their moving
    // ranges), their limits and the points the run rules fired at.
    const ControlChart& control() const { return control_; }
    // The readings (from 0) that lay in the warning zone as they were taken, in order.
    std::span<const std::uint32_t> warnings() const { return warnings_; }
    bool warned(std::uint32_t reading) const;
    // The capability figures, the within σ that of the limits in use.
    CapabilityFigures figures(const ToleranceLimits& limits) const;
    // The most decimal places any recorded reading had; the figures show one more.
    std::uint8_t decimalPlaces() const { return decimalPlaces_; }
    // Changes with every record, Clear and new control settings: a window redraws only when
    // it has moved.
    std::uint64_t revision() const { return revision_; }

private:
    const RecordListTexts* marks_;
    ValueColumn values_;
    RunningCapability capability_;
    ControlChart control_;
    std::vector<std::uint32_t> warnings_;
    std::uint8_t decimalPlaces_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace mensora
