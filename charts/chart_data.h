#pragma once
// What the quality charts are drawn from: every reading recorded since start-up or the last
// Clear, as a number, the running process figures, and the control charts' points, limits and
// rule marks. Recording reports here (one update of a fixed size per record), whether or not a
// charts window is open, so that opening one shows everything at once.

#include <cstdint>

#include "charts/control_chart.h"
#include "charts/running_capability.h"
#include "charts/value_column.h"
#include "measure/record_observer.h"

namespace mensora {

class ChartData : public RecordObserver {
public:
    ChartData();

    // The next record: the rules its control charts fired, under the settings configured.
    RuleFirings add(float value, std::uint8_t decimalPlaces);
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
    // The capability figures, the within σ that of the limits in use.
    CapabilityFigures figures(const ToleranceLimits& limits) const;
    // The most decimal places any recorded reading had; the figures show one more.
    std::uint8_t decimalPlaces() const { return decimalPlaces_; }
    // Changes with every record, Clear and new control settings: a window redraws only when
    // it has moved.
    std::uint64_t revision() const { return revision_; }

private:
    ValueColumn values_;
    RunningCapability capability_;
    ControlChart control_;
    std::uint8_t decimalPlaces_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace mensora
