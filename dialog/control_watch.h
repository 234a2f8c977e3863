#pragma once
// The run rules watched as records are taken, whether or not a charts window is open: every
// record joins the chart data of every record and the control chart of its stream (every record
// while no plan is in force, else the characteristic it was taken for, under the plan's
// subgroup size and fixed limits), and each rule that fires is told once, as its point
// arrives. Nothing is kept but what the rules and the limits need, so a characteristic's watch
// costs the same at its millionth record as at its first.
//
// Another subgroup size, other rules or limits, or another plan start a stream's watch afresh
// at its next record: what was told is not told again, and its patterns, X̿ and R̄ count from
// there. (A charts window judges every record drawn against the settings of the moment.)
//
// Without a plan, a stream that starts with the first record since start-up or a Clear is the
// chart data's own control chart, judged once for both: the chart data's points, limits and
// rings are what the watch tells. Only a stream started afresh after that, while the chart data
// judges every record from the first, is judged on a chart of the watch's own, until the next
// Clear.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_data.h"
#include "charts/control_chart.h"
#include "charts/control_choice.h"
#include "dialog/plan_steering.h"
#include "measure/plan_stamps.h"
#include "measure/record_observer.h"
#include "measure/record_store.h"

namespace mensora {

// One run rule that fired, for whoever raises an alarm on it.
struct RuleEvent {
    int rule = 0;             // 1..8
    bool rangeChart = false;  // on the range chart, where rule 1 alone is watched
    // The characteristic's place in the plan in force and its name as a record's trace gives
    // it; none and empty while no plan is in force.
    std::optional<std::size_t> characteristic;
    std::string characteristicName;
    // The records the rule's pattern covers, numbered from 1 as the record list numbers them.
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;

    bool operator==(const RuleEvent&) const = default;
};

class ControlWatch : public RecordObserver {
public:
    ControlWatch(const PlanSteering& steering, const PlanStamps& stamps, const RecordStore& store,
                 const ControlChoice& choice, ChartData& data);

    // Told of each firing, on the window's thread, as the record that completes it is taken.
    void onFired(std::function<void(const RuleEvent&)> fired) { fired_ = std::move(fired); }
    void recorded(float value, std::uint8_t decimalPlaces) override;
    void cleared() override;

private:
    // Streams anew for another plan in force, or none.
    void followPlan(const PlanWalk* walk);
    bool ofPlanInForce(std::uint32_t recordIndex, const PlanWalk& walk);
    // The record into the chart data and the stream of every record: the stream's firings.
    RuleFirings withoutPlan(float value, std::uint8_t decimalPlaces, std::uint32_t record);
    // Each firing of `stream`, named for its characteristic while a plan is in force.
    void tell(const RuleFirings& firings, const PlanWalk* walk, std::size_t stream);

    const PlanSteering& steering_;
    const PlanStamps& stamps_;
    const RecordStore& store_;
    const ControlChoice& choice_;
    ChartData& data_;
    std::function<void(const RuleEvent&)> fired_;
    // One a characteristic of the plan in force (made at its first record), or one for every
    // record while none is and the chart data's is not the stream.
    std::vector<std::optional<ControlChart>> streams_;
    // While the chart data's control chart is the stream of every record: the settings the
    // stream runs under (a charts window may judge the chart data under others for a while).
    std::optional<ControlSettings> followed_;
    std::optional<std::uint64_t> planNumber_;  // of the plan the streams belong to
    // The kept plan the records were last found taken for, the plan in force.
    const InspectionPlan* matching_ = nullptr;
};

}  // namespace mensora
