#pragma once
// What the quality charts and the workbook's figures show while a plan is in force: the
// records of one characteristic alone, never a bore mixed with a length. The workbook takes
// the characteristic due; a charts window the one due, or another it pinned. Each is gathered
// from the chart data of every record and the plan stamps only when someone asks (a charts
// window drawing, a save starting), so recording pays nothing for it; another characteristic
// gathers afresh, new records of the same one are added to what was gathered.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_data.h"
#include "charts/chart_source.h"
#include "dialog/plan_steering.h"
#include "measure/plan_stamps.h"

namespace mensora {

class CharacteristicChart : public ChartSource {
public:
    CharacteristicChart(ChartData& all, const PlanStamps& stamps, PlanSteering& steering,
                        const AcquisitionState& state, const RecordTraces& traces,
                        ControlChoice& control);
    CharacteristicChart(const CharacteristicChart&) = delete;
    CharacteristicChart& operator=(const CharacteristicChart&) = delete;

    // The chart data of every record while no plan is in force; else that of the
    // characteristic due, brought up to date. On the window's thread.
    const ChartData& due();

    Shown shown() override;
    const std::vector<std::string>& characteristics() override;
    std::optional<std::size_t> pinned() const override { return pinned_; }
    void pin(std::optional<std::size_t> characteristic) override;

    RuleSet rules() const override { return control_.settings().rules; }
    void setRules(RuleSet rules) override { control_.setRules(rules); }
    bool subgroupChosen() const override { return steering_.walk() == nullptr; }
    void setSubgroupSize(int size) override;
    void fixLimits() override;
    void unfixLimits() override;

private:
    // The records of one characteristic of one plan, gathered so far.
    struct Gathered {
        ChartData data;
        std::optional<InspectionPlan> plan;
        std::size_t characteristic = 0;
        std::uint32_t count = 0;     // the records looked at
        std::uint64_t revision = 0;  // of the chart data of every record at the last look
        // The kept plans last found equal to `plan`, and not.
        const InspectionPlan* matching = nullptr;
        const InspectionPlan* other = nullptr;
    };
    const ChartData& gather(Gathered& gathered, const InspectionPlan& plan,
                            std::size_t characteristic);
    bool takes(Gathered& gathered, std::uint32_t record) const;
    // Follows the plan in force: another plan names other characteristics and drops the pin.
    void followPlan();
    // The characteristic shown: the one pinned, or the one due.
    std::size_t shownCharacteristic();

    const ChartData& all_;
    const PlanStamps& stamps_;
    PlanSteering& steering_;
    ControlChoice& control_;
    AllRecordsChart allRecords_;
    Gathered due_;
    Gathered pinnedData_;
    std::optional<InspectionPlan> plan_;  // the one characteristics_ and pinned_ belong to
    std::vector<std::string> characteristics_;
    std::optional<std::size_t> pinned_;
    TraceValues pinnedTrace_;  // the part and lot in force, with the pinned characteristic's
};

}  // namespace mensora
