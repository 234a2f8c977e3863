#pragma once
// What the quality charts are drawn from: every reading recorded since start-up or the last
// Clear, as a number, and the running process figures. Recording reports here (one update
// of a fixed size per record), whether or not a charts window is open, so that opening one
// shows everything at once.

#include <cstdint>

#include "charts/running_capability.h"
#include "charts/value_column.h"
#include "measure/record_observer.h"

namespace mensora {

class ChartData : public RecordObserver {
public:
    ChartData();

    void recorded(float value, std::uint8_t decimalPlaces) override;
    void cleared() override;

    const ValueColumn& values() const { return values_; }
    // The difference between each record and the one before it: one fewer than the records.
    const ValueColumn& movingRanges() const { return movingRanges_; }
    const RunningCapability& capability() const { return capability_; }
    // The most decimal places any recorded reading had; the figures show one more.
    std::uint8_t decimalPlaces() const { return decimalPlaces_; }
    // Changes with every record and Clear: a window redraws only when it has moved.
    std::uint64_t revision() const { return revision_; }

private:
    ValueColumn values_;
    ValueColumn movingRanges_;
    RunningCapability capability_;
    std::uint8_t decimalPlaces_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace mensora
