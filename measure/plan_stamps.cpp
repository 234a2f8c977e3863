#include "measure/plan_stamps.h"

#include <cstring>

namespace mensora {

PlanStamps::PlanStamps(std::uint32_t capacity)
    : capacity_(capacity), stamps_(std::size_t{capacity} * sizeof(PlanStamp)) {}

void PlanStamps::stamp(std::uint32_t recordIndex, const PlanWalk* walk) {
    if (recordIndex >= capacity_) return;
    PlanStamp stamp;
    if (walk != nullptr) {
        if (!walk->partStarted() || parts_.parts.empty()) {
            // A plan is kept once for all its parts: it is compared only when a part starts.
            if (parts_.plans.empty() || *parts_.plans.back() != walk->plan()) {
                parts_.plans.push_back(std::make_shared<const InspectionPlan>(walk->plan()));
            }
            parts_.parts.push_back({parts_.plans.size() - 1, walk->serial()});
        }
        stamp.part = static_cast<std::uint32_t>(parts_.parts.size());
        stamp.characteristic = static_cast<std::uint16_t>(walk->due());
    }
    // Copied as bytes: the reserved room holds no objects of its own.
    std::memcpy(stamps_.data() + std::size_t{recordIndex} * sizeof stamp, &stamp, sizeof stamp);
}

PlanStamp PlanStamps::of(std::uint32_t recordIndex) const {
    PlanStamp stamp;
    if (recordIndex < capacity_) {
        std::memcpy(&stamp, stamps_.data() + std::size_t{recordIndex} * sizeof stamp, sizeof stamp);
    }
    return stamp;
}

void PlanStamps::cleared() { parts_ = {}; }

}  // namespace mensora
