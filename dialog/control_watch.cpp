#include "dialog/control_watch.h"

namespace mensora {

ControlWatch::ControlWatch(const PlanSteering& steering, const PlanStamps& stamps,
                           const RecordStore& store, const ControlChoice& choice)
    : steering_(steering), stamps_(stamps), store_(store), choice_(choice) {}

void ControlWatch::followPlan(const PlanWalk* walk) {
    if (planNumber_ == steering_.planNumber()) return;
    planNumber_ = steering_.planNumber();
    streams_.clear();
    streams_.resize(walk == nullptr ? 1 : walk->plan().characteristics.size());
    matching_ = nullptr;
}

bool ControlWatch::ofPlanInForce(std::uint32_t recordIndex, const PlanWalk& walk) {
    const PlanStamp stamp = stamps_.of(recordIndex);
    if (stamp.part == 0 || stamp.characteristic >= streams_.size()) return false;
    // The stamps keep a plan once for all its parts: each kept plan is compared once.
    const InspectionPlan* kept = stamps_.planOf(stamps_.part(stamp.part)).get();
    if (kept == matching_) return true;
    if (*kept != walk.plan()) return false;
    matching_ = kept;
    return true;
}

void ControlWatch::recorded(float value, std::uint8_t decimalPlaces) {
    const PlanWalk* walk = steering_.walk();
    followPlan(walk);
    const std::uint32_t record = store_.count();
    std::size_t stream = 0;
    ControlSettings settings = choice_.settings();
    if (walk != nullptr) {
        if (record > 0 && ofPlanInForce(record - 1, *walk)) {
            stream = stamps_.of(record - 1).characteristic;
            settings = choice_.settingsOf(walk->plan().characteristics[stream]);
        } else {
            stream = streams_.size();  // a record of no characteristic of this plan
        }
    }
    if (stream < streams_.size()) {
        std::optional<ControlChart>& chart = streams_[stream];
        if (!chart || chart->settings() != settings) chart.emplace(settings, 0);
        const RuleFirings firings = chart->add(value, record);
        for (std::size_t i = 0; i < firings.count && fired_; ++i) {
            const RuleFiring& firing = firings.fired[i];
            RuleEvent event{firing.rule, firing.rangeChart,  std::nullopt,
                            {},          firing.firstRecord, firing.lastRecord};
            if (walk != nullptr) {
                event.characteristic = stream;
                event.characteristicName =
                    characteristicLabel(walk->plan().characteristics[stream]);
            }
            fired_(event);
        }
    }
    if (next_ != nullptr) next_->recorded(value, decimalPlaces);
}

void ControlWatch::cleared() {
    for (std::optional<ControlChart>& chart : streams_) {
        if (chart) chart->clear();
    }
    if (next_ != nullptr) next_->cleared();
}

}  // namespace mensora
