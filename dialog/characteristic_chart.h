#pragma once
// What the quality charts and the workbook's figures show while a plan is in force: the
// records of the characteristic due alone, never a bore mixed with a length. It is gathered
// from the chart data of every record and the plan stamps only when someone asks (a charts
// window drawing, a save starting), so recording pays nothing for it; a new characteristic due
// gathers afresh, new records of the same one are added to what was gathered.

#include <cstdint>
#include <optional>

#include "charts/chart_data.h"
#include "dialog/plan_steering.h"
#include "measure/plan_stamps.h"

namespace mensora {

class CharacteristicChart {
public:
    CharacteristicChart(const ChartData& all, const PlanStamps& stamps,
                        const PlanSteering& steering);
    CharacteristicChart(const CharacteristicChart&) = delete;
    CharacteristicChart& operator=(const CharacteristicChart&) = delete;

    // The chart data of every record while no plan is in force; else that of the
    // characteristic due, brought up to date. On the window's thread.
    const ChartData& shown();

private:
    bool takes(std::uint32_t record) const;
    void gather(std::uint32_t from, std::uint32_t to);

    const ChartData& all_;
    const PlanStamps& stamps_;
    const PlanSteering& steering_;
    ChartData own_;
    // What own_ holds: the plan and characteristic, and the records looked at so far.
    std::optional<InspectionPlan> plan_;
    std::size_t characteristic_ = 0;
    std::uint32_t gathered_ = 0;
    std::uint64_t revision_ = 0;  // of all_ at the last look
    // The kept plans last found equal to plan_, and not.
    mutable const InspectionPlan* matching_ = nullptr;
    mutable const InspectionPlan* other_ = nullptr;
};

}  // namespace mensora
