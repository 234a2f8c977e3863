#pragma once
// What a charts window draws, asked at each look: chart data, the limits it is judged against
// and the part and lot that head it. Without a plan that is every record against the sizes in
// force; with a plan in force one characteristic, the one due or another the window pinned,
// each against its own limits, so that a bore is never drawn against a length's.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "charts/chart_data.h"
#include "measure/judgement.h"
#include "measure/record_traces.h"

namespace mensora {

class ChartSource {
public:
    struct Shown {
        const ChartData& data;
        ToleranceLimits limits;
        const TraceValues& trace;
    };

    virtual ~ChartSource() = default;
    // What one look draws, brought up to date. On the window's thread.
    virtual Shown shown() = 0;
    // The characteristics a window may pin, as a record's trace names them; empty while no
    // plan is in force.
    virtual const std::vector<std::string>& characteristics() = 0;
    // The characteristic pinned, by its place in the plan; none: the one due.
    virtual std::optional<std::size_t> pinned() const = 0;
    // Pins one (none: follow the one due again). A pin holds until another plan is put in force.
    virtual void pin(std::optional<std::size_t> characteristic) = 0;
};

// Every record, against the sizes and with the part and lot in force.
class AllRecordsChart : public ChartSource {
public:
    AllRecordsChart(const ChartData& data, const AcquisitionState& state,
                    const RecordTraces& traces)
        : data_(data), state_(state), traces_(traces) {}

    Shown shown() override {
        return {data_, toleranceLimits(state_.parameters), traces_.inForce()};
    }
    const std::vector<std::string>& characteristics() override { return none_; }
    std::optional<std::size_t> pinned() const override { return std::nullopt; }
    void pin(std::optional<std::size_t>) override {}

private:
    const ChartData& data_;
    const AcquisitionState& state_;
    const RecordTraces& traces_;
    const std::vector<std::string> none_;
};

}  // namespace mensora
