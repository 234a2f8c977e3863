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
#include "charts/control_choice.h"
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

    // The control charts of what is shown. The run rules watched are the same for every
    // characteristic; the subgroup size is the plan's while one is in force, and then it
    // cannot be chosen here.
    virtual RuleSet rules() const = 0;
    virtual void setRules(RuleSet rules) = 0;
    virtual bool subgroupChosen() const = 0;
    virtual void setSubgroupSize(int size) = 0;
    // Keeps the limits of the records shown as they are now, for what is shown; or takes them
    // from all its records again.
    virtual void fixLimits() = 0;
    virtual void unfixLimits() = 0;
};

// Every record, against the sizes and with the part and lot in force, on control charts as the
// settings ask for them.
class AllRecordsChart : public ChartSource {
public:
    AllRecordsChart(ChartData& data, const AcquisitionState& state, const RecordTraces& traces,
                    ControlChoice& control)
        : data_(data), state_(state), traces_(traces), control_(control) {}

    // The chart data of every record, as the settings ask for its control charts.
    ChartData& data() {
        data_.configure(control_.settings());
        return data_;
    }

    Shown shown() override {
        return {data(), toleranceLimits(state_.parameters), traces_.inForce()};
    }
    const std::vector<std::string>& characteristics() override { return none_; }
    std::optional<std::size_t> pinned() const override { return std::nullopt; }
    void pin(std::optional<std::size_t>) override {}

    RuleSet rules() const override { return control_.settings().rules; }
    void setRules(RuleSet rules) override { control_.setRules(rules); }
    bool subgroupChosen() const override { return true; }
    void setSubgroupSize(int size) override { control_.setSubgroupSize(size); }
    void fixLimits() override {
        if (const std::optional<FixedLimits> fixed = control_.limitsToFix(data())) {
            control_.fix(*fixed);
        }
    }
    void unfixLimits() override { control_.unfix(); }

private:
    ChartData& data_;
    const AcquisitionState& state_;
    const RecordTraces& traces_;
    ControlChoice& control_;
    const std::vector<std::string> none_;
};

}  // namespace mensora
