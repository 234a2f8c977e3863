#include "workbook/plan_part_rows.h"

#include <algorithm>

#include "workbook/record_cells.h"

namespace mensora {

bool forEachPart(const RecordStore& store, std::uint32_t count, const WorkbookPlanParts& planParts,
                 const std::function<bool(const PartRow&)>& row) {
    if (!planParts.any()) return true;
    const PlanParts& parts = planParts.parts;
    PartRow current;
    const auto finish = [&](bool underWay) {
        if (current.part == 0) return true;
        current.ok.reset();
        if (!underWay) {
            current.ok =
                std::all_of(current.latest.begin(), current.latest.end(),
                            [&](const auto& record) { return record && recordOk(store, *record); });
        }
        return row(current);
    };
    for (std::uint32_t index = 0; index < count; ++index) {
        const PlanStamp stamp = planParts.stamps->of(index);
        if (stamp.part == 0 || stamp.part > parts.parts.size()) continue;
        if (stamp.part != current.part) {
            if (!finish(false)) return false;
            const InspectionPlan& plan = *parts.plans[parts.parts[stamp.part - 1].plan];
            current.part = stamp.part;
            current.firstRecord = index;
            current.latest.assign(plan.characteristics.size(), std::nullopt);
        }
        if (stamp.characteristic < current.latest.size()) {
            current.latest[stamp.characteristic] = index;
        }
    }
    return finish(planParts.lastPartUnderWay && current.part == parts.parts.size());
}

std::vector<std::vector<RunningCapability>> characteristicCapabilities(
    std::span<const float> readings, const WorkbookPlanParts& planParts) {
    std::vector<std::vector<RunningCapability>> capabilities;
    if (!planParts.any()) return capabilities;
    const PlanParts& parts = planParts.parts;
    for (const auto& plan : parts.plans) capabilities.emplace_back(plan->characteristics.size());
    for (std::uint32_t index = 0; index < readings.size(); ++index) {
        const PlanStamp stamp = planParts.stamps->of(index);
        if (stamp.part == 0 || stamp.part > parts.parts.size()) continue;
        auto& ofPlan = capabilities[parts.parts[stamp.part - 1].plan];
        if (stamp.characteristic < ofPlan.size()) ofPlan[stamp.characteristic].add(readings[index]);
    }
    return capabilities;
}

}  // namespace mensora
