#pragma once
// Which part of an inspection plan, and which of its characteristics, each record was taken
// for. Each record holds the part's number among the parts measured since start-up or the last
// Clear (0: taken with no plan in force) and the characteristic's place in its plan; the parts
// hold their plan and serial. The record entries are reserved whole, like the record store,
// so a worker may read those below the count it started with while recording goes on; the
// parts and plans it copies with parts() on the window's thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "measure/plan_walk.h"
#include "measure/record_store.h"
#include "measure/reserved_pages.h"

namespace mensora {

struct PlanPart {
    std::size_t plan = 0;  // index into PlanParts::plans
    std::string serial;
};

struct PlanParts {
    std::vector<std::shared_ptr<const InspectionPlan>> plans;
    std::vector<PlanPart> parts;  // part number n is parts[n - 1]
};

struct PlanStamp {
    std::uint32_t part = 0;  // 0: no plan was in force
    std::uint16_t characteristic = 0;
};

class PlanStamps {
public:
    explicit PlanStamps(std::uint32_t capacity = kRecordCapacity);
    PlanStamps(const PlanStamps&) = delete;
    PlanStamps& operator=(const PlanStamps&) = delete;

    // Record `recordIndex` was taken for the characteristic due of `walk` (before the walk
    // moves on), or with no plan when `walk` is null. The first record of a part starts it.
    void stamp(std::uint32_t recordIndex, const PlanWalk* walk);
    PlanStamp of(std::uint32_t recordIndex) const;
    // Record `recordIndex` of an earlier run, put back: taken for `stamp`'s part, whose plan and
    // serial these are, or with no plan (`plan` none). Its parts come back numbered as they
    // were, as the records come back from the first.
    void putBack(std::uint32_t recordIndex, PlanStamp stamp,
                 std::shared_ptr<const InspectionPlan> plan, const std::string& serial);
    // The part numbered `number` (a stamp's part, never 0) and the plan it follows: on the
    // window's thread.
    const PlanPart& part(std::uint32_t number) const { return parts_.parts[number - 1]; }
    const std::shared_ptr<const InspectionPlan>& planOf(const PlanPart& part) const {
        return parts_.plans[part.plan];
    }
    // A copy of the parts and their plans: taken on the window's thread, it names every part
    // of the records held then.
    PlanParts parts() const { return parts_; }
    // Whether any record held was taken with a plan in force.
    bool any() const { return !parts_.parts.empty(); }
    void cleared();

private:
    // `plan` is the walk's own when `kept` is none.
    void startPart(const InspectionPlan& plan, std::shared_ptr<const InspectionPlan> kept,
                   std::string serial);
    void put(std::uint32_t recordIndex, const PlanStamp& stamp);

    std::uint32_t capacity_;
    ReservedPages stamps_;
    PlanParts parts_;
};

}  // namespace mensora
