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
            startPart(walk->plan(), nullptr, walk->serial());
        }
        stamp.part = static_cast<std::uint32_t>(parts_.parts.size());
        stamp.characteristic = static_cast<std::uint16_t>(walk->due());
    }
    put(recordIndex, stamp);
}

void PlanStamps::putBack(std::uint32_t recordIndex, PlanStamp stamp,
                         std::shared_ptr<const InspectionPlan> plan, const std::string& serial) {
    if (recordIndex >= capacity_) return;
    if (!plan) {
        stamp = {};
    } else if (stamp.part > parts_.parts.size()) {
        const InspectionPlan& followed = *plan;
        startPart(followed, std::move(plan), serial);
        stamp.part = static_cast<std::uint32_t>(parts_.parts.size());
    }
    put(recordIndex, stamp);
}

// A plan is kept once for all its parts: it is compared only when a part starts.
void PlanStamps::startPart(const InspectionPlan& plan, std::shared_ptr<const InspectionPlan> kept,
                           std::string serial) {
    if (parts_.plans.empty() || *parts_.plans.back() != plan) {
        parts_.plans.push_back(kept ? std::move(kept)
                                    : std::make_shared<const InspectionPlan>(plan));
    }
    parts_.parts.push_back({parts_.plans.size() - 1, std::move(serial)});
}

void PlanStamps::put(std::uint32_t recordIndex, const PlanStamp& stamp) {
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
