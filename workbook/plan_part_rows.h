#pragma once
// The parts of inspection plans a workbook's records were taken for, read back from the
// records' plan stamps: each part's latest record of each characteristic and its verdict, and
// the process figures of each characteristic over every record taken for it.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "charts/running_capability.h"
#include "workbook/workbook_contents.h"

namespace mensora {

class RecordStore;

struct PartRow {
    std::uint32_t part = 0;  // its number: PlanParts::parts[part - 1]
    std::uint32_t firstRecord = 0;
    // The latest record of each characteristic of the part's plan (a characteristic measured
    // again counts with its new record); empty: not measured.
    std::vector<std::optional<std::uint32_t>> latest;
    // OK only when the latest record of every characteristic is OK, so a part left with a
    // characteristic unmeasured is NG, as the walk judges it; empty for the part the walk was
    // still on when the save started.
    std::optional<bool> ok;
};

// Calls `row` for each part of the first `count` records, in the order of their numbers; a
// part's records all come before the next part's first, and the parts of one plan follow
// each other. Stops when `row` returns false and returns false then.
bool forEachPart(const RecordStore& store, std::uint32_t count, const WorkbookPlanParts& planParts,
                 const std::function<bool(const PartRow&)>& row);

// The figures of each characteristic, [plan][characteristic], over the readings of every
// record taken for it (`readings` holds one per record, from the first).
std::vector<std::vector<RunningCapability>> characteristicCapabilities(
    std::span<const float> readings, const WorkbookPlanParts& planParts);

}  // namespace mensora
