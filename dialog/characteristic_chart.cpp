#include "dialog/characteristic_chart.h"

namespace mensora {

CharacteristicChart::CharacteristicChart(ChartData& all, const PlanStamps& stamps,
                                         PlanSteering& steering, const AcquisitionState& state,
                                         const RecordTraces& traces, ControlChoice& control)
    : all_(all),
      stamps_(stamps),
      steering_(steering),
      control_(control),
      allRecords_(all, state, traces, control) {}

const ChartData& CharacteristicChart::due() {
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr) return allRecords_.data();
    return gather(due_, walk->plan(), walk->due());
}

std::size_t CharacteristicChart::shownCharacteristic() {
    followPlan();
    return pinned_.value_or(steering_.walk()->due());
}

void CharacteristicChart::setSubgroupSize(int size) {
    if (subgroupChosen()) control_.setSubgroupSize(size);
}

void CharacteristicChart::fixLimits() {
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr) return allRecords_.fixLimits();
    const std::size_t characteristic = shownCharacteristic();
    const ChartData& data =
        gather(characteristic == walk->due() ? due_ : pinnedData_, walk->plan(), characteristic);
    if (const std::optional<FixedLimits> fixed = control_.limitsToFix(data)) {
        steering_.fixLimits(characteristic, fixed);
    }
}

void CharacteristicChart::unfixLimits() {
    if (steering_.walk() == nullptr) return allRecords_.unfixLimits();
    steering_.fixLimits(shownCharacteristic(), std::nullopt);
}

ChartSource::Shown CharacteristicChart::shown() {
    const Shown inForce = allRecords_.shown();
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr) return inForce;
    followPlan();
    // The sizes in force are those of the characteristic due.
    if (!pinned_ || *pinned_ == walk->due()) return {due(), inForce.limits, inForce.trace};
    const Characteristic& pinned = walk->plan().characteristics[*pinned_];
    pinnedTrace_ = inForce.trace;
    pinnedTrace_.characteristic = characteristics_[*pinned_];
    pinnedTrace_.gaugeId = pinned.gaugeId;
    return {gather(pinnedData_, walk->plan(), *pinned_), characteristicLimits(pinned),
            pinnedTrace_};
}

const std::vector<std::string>& CharacteristicChart::characteristics() {
    followPlan();
    return characteristics_;
}

void CharacteristicChart::pin(std::optional<std::size_t> characteristic) {
    followPlan();
    pinned_ =
        characteristic && *characteristic < characteristics_.size() ? characteristic : std::nullopt;
}

void CharacteristicChart::followPlan() {
    const PlanWalk* walk = steering_.walk();
    if (walk == nullptr) {
        plan_.reset();
        characteristics_.clear();
        pinned_.reset();
        return;
    }
    if (plan_ && *plan_ == walk->plan()) return;
    plan_ = walk->plan();
    characteristics_.clear();
    for (const Characteristic& characteristic : plan_->characteristics) {
        characteristics_.push_back(characteristicLabel(characteristic));
    }
    pinned_.reset();
}

const ChartData& CharacteristicChart::gather(Gathered& gathered, const InspectionPlan& plan,
                                             std::size_t characteristic) {
    const std::uint32_t records = all_.values().size();
    const bool same =
        gathered.plan && gathered.characteristic == characteristic && *gathered.plan == plan;
    // Each record moves the revision on by one, a Clear too: anything but records added since
    // the last look gathers afresh.
    const bool onlyAdded = records >= gathered.count && all_.revision() - gathered.revision ==
                                                            records - std::uint64_t{gathered.count};
    if (!same || !onlyAdded) {
        gathered.data.cleared();
        gathered.plan = plan;
        gathered.characteristic = characteristic;
        gathered.count = 0;
        gathered.matching = gathered.other = nullptr;
    }
    // Fixed or freed limits judge what was gathered again; the records stay the plan's.
    gathered.data.configure(control_.settingsOf(plan.characteristics[characteristic]));
    const std::span<const float> values = all_.values().values();
    for (std::uint32_t i = gathered.count; i < records; ++i) {
        if (takes(gathered, i)) {
            gathered.data.add(values[i], all_.decimalPlaces(), all_.warned(i));
        }
    }
    gathered.count = records;
    gathered.revision = all_.revision();
    return gathered.data;
}

bool CharacteristicChart::takes(Gathered& gathered, std::uint32_t record) const {
    const PlanStamp stamp = stamps_.of(record);
    if (stamp.part == 0 || stamp.characteristic != gathered.characteristic) return false;
    // The stamps keep a plan once for all its parts: each kept plan is compared once.
    const InspectionPlan* plan = stamps_.planOf(stamps_.part(stamp.part)).get();
    if (plan == gathered.matching) return true;
    if (plan == gathered.other) return false;
    (*plan == *gathered.plan ? gathered.matching : gathered.other) = plan;
    return plan == gathered.matching;
}

}  // namespace mensora
