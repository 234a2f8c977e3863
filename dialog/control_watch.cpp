#include "dialog/control_watch.h"

namespace mensora {

ControlWatch::ControlWatch(const PlanSteering& steering, const PlanStamps& stamps,
                           const RecordStore& store, const ControlChoice& choice, ChartData& data)
    : steering_(steering), stamps_(stamps), store_(store), choice_(choice), data_(data) {}

void ControlWatch::followPlan(const PlanWalk* walk) {
    if (planNumber_ == steering_.planNumber()) return;
    planNumber_ = steering_.planNumber();
    streams_.clear();
    streams_.resize(walk == nullptr ? 1 : walk->plan().characteristics.size());
    followed_.reset();
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

RuleFirings ControlWatch::withoutPlan(float value, std::uint8_t decimalPlaces,
                                      std::uint32_t record) {
    const ControlSettings& settings = choice_.settings();
    std::optional<ControlChart>& own = streams_.front();
    if (data_.values().size() == 0) {
        // The stream starts with the chart data's first record: one chart judges both.
        followed_ = settings;
        own.reset();
    } else if (followed_ && *followed_ != settings) {
        followed_.reset();
        own.emplace(settings, 0);
    } else if (!followed_ && (!own || own->settings() != settings)) {
        own.emplace(settings, 0);
    }
    // A charts window may have judged the chart data under other settings since the last
    // record (settings changed and changed back in between): the stream's go on, as the
    // window's next look would have them anyway.
    if (followed_) data_.configure(settings);
    const RuleFirings judged = data_.add(value, decimalPlaces);
    return followed_ ? judged : own->add(value, record);
}

void ControlWatch::tell(const RuleFirings& firings, const PlanWalk* walk, std::size_t stream) {
    for (std::size_t i = 0; i < firings.count && fired_; ++i) {
        const RuleFiring& firing = firings.fired[i];
        RuleEvent event{firing.rule, firing.rangeChart,  std::nullopt,
                        {},          firing.firstRecord, firing.lastRecord};
        if (walk != nullptr) {
            event.characteristic = stream;
            event.characteristicName = characteristicLabel(walk->plan().characteristics[stream]);
        }
        fired_(event);
    }
}

void ControlWatch::recorded(float value, std::uint8_t decimalPlaces) {
    const PlanWalk* walk = steering_.walk();
    followPlan(walk);
    const std::uint32_t record = store_.count();
    if (walk == nullptr) return tell(withoutPlan(value, decimalPlaces, record), nullptr, 0);
    data_.add(value, decimalPlaces);
    if (record == 0 || !ofPlanInForce(record - 1, *walk)) return;  // of no characteristic of it
    const std::size_t stream = stamps_.of(record - 1).characteristic;
    const ControlSettings settings = choice_.settingsOf(walk->plan().characteristics[stream]);
    std::optional<ControlChart>& chart = streams_[stream];
    if (!chart || chart->settings() != settings) chart.emplace(settings, 0);
    tell(chart->add(value, record), walk, stream);
}

void ControlWatch::cleared() {
    for (std::optional<ControlChart>& chart : streams_) {
        if (chart) chart->clear();
    }
    data_.cleared();
}

}  // namespace mensora
