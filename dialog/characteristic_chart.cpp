#include "dialog/characteristic_chart.h"

namespace mensora {

CharacteristicChart::CharacteristicChart(const ChartData& all, const PlanStamps& stamps,
                                         const PlanSteering& steering)
    : all_(all), stamps_(stamps), steering_(steering) {}

const ChartData& CharacteristicChart::shown() {
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr) return all_;
    const std::uint32_t records = all_.values().size();
    const bool same = plan_ && characteristic_ == walk->due() && *plan_ == walk->plan();
    // Each record moves the revision on by one, a Clear too: anything but records added since
    // the last look gathers afresh.
    const bool onlyAdded =
        all_.revision() - revision_ == records - std::uint64_t{gathered_} && records >= gathered_;
    if (!same || !onlyAdded) {
        own_.cleared();
        plan_ = walk->plan();
        characteristic_ = walk->due();
        gathered_ = 0;
        matching_ = other_ = nullptr;
    }
    gather(gathered_, records);
    gathered_ = records;
    revision_ = all_.revision();
    return own_;
}

bool CharacteristicChart::takes(std::uint32_t record) const {
    const PlanStamp stamp = stamps_.of(record);
    if (stamp.part == 0 || stamp.characteristic != characteristic_) return false;
    // The stamps keep a plan once for all its parts: each kept plan is compared once.
    const InspectionPlan* plan = stamps_.planOf(stamps_.part(stamp.part)).get();
    if (plan == matching_) return true;
    if (plan == other_) return false;
    (*plan == *plan_ ? matching_ : other_) = plan;
    return plan == matching_;
}

void CharacteristicChart::gather(std::uint32_t from, std::uint32_t to) {
    const std::span<const float> values = all_.values().values();
    for (std::uint32_t i = from; i < to; ++i) {
        if (takes(i)) own_.recorded(values[i], all_.decimalPlaces());
    }
}

}  // namespace mensora
