#include "charts/charts_follower.h"

#include <utility>

namespace mensora {

bool ChartsFollower::Seen::operator==(const Seen& other) const {
    return revision == other.revision && limits.nominal == other.limits.nominal &&
           limits.upper == other.limits.upper && limits.lower == other.limits.lower &&
           language == other.language && trace == other.trace &&
           characteristics == other.characteristics && pinned == other.pinned;
}

ChartsFollower::ChartsFollower(ChartSource& source, const AcquisitionState& state,
                               SettingsStore& settings)
    : source_(source), state_(state), settings_(settings) {}

ChartInputs ChartsFollower::inputs() const {
    const ChartSource::Shown shown = source_.shown();
    return {shown.data, shown.limits, state_.language(), shown.trace};
}

ChartsFollower::ControlState ChartsFollower::controlState() const {
    const ControlChart& control = source_.shown().data.control();
    const std::optional<ControlLimits> limits = control.limits();
    return {control.settings().subgroupSize, source_.subgroupChosen(), source_.rules(),
            control.subgroups().sigmaWithin().has_value(),
            limits && limits->source == LimitsSource::Fixed};
}

ChartsFollower::Change ChartsFollower::look() {
    const ChartInputs now = inputs();
    Seen seen{now.data.revision(), now.limits,        now.language,
              now.trace,           characteristics(), pinned()};
    if (seen_ && *seen_ == seen) return {false, false, false};
    const bool retranslate = !seen_ || seen_->language != seen.language;
    const bool rechoose = retranslate || seen_->characteristics != seen.characteristics ||
                          seen_->pinned != seen.pinned;
    seen_ = std::move(seen);
    return {true, retranslate, rechoose};
}

WindowSize ChartsFollower::openingSize() const { return loadChartsWindowSize(settings_); }

Rect ChartsFollower::openingPlace(const ChartsScreen& screen) const {
    return chartsWindowPlace(screen, openingSize(), loadChartsWindowPlace(settings_));
}

void ChartsFollower::hidden(const Rect& client, bool minimised) {
    if (minimised || client.width <= 0 || client.height <= 0) return;
    storeChartsWindowSize(settings_, {client.width, client.height});
    storeChartsWindowPlace(settings_, {client.left, client.top});
}

}  // namespace mensora
