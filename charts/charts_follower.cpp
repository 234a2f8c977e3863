#include "charts/charts_follower.h"

namespace mensora {

bool ChartsFollower::Seen::operator==(const Seen& other) const {
    return revision == other.revision && limits.nominal == other.limits.nominal &&
           limits.upper == other.limits.upper && limits.lower == other.limits.lower &&
           language == other.language;
}

ChartsFollower::ChartsFollower(const ChartData& chartData, const AcquisitionState& state,
                               SettingsStore& settings)
    : data_(chartData), state_(state), settings_(settings) {}

ChartInputs ChartsFollower::inputs() const {
    return {data_, toleranceLimits(state_.parameters), state_.language()};
}

ChartsFollower::Change ChartsFollower::look() {
    const ChartInputs now = inputs();
    const Seen seen{data_.revision(), now.limits, now.language};
    if (seen_ && *seen_ == seen) return {false, false};
    const bool retranslate = !seen_ || seen_->language != seen.language;
    seen_ = seen;
    return {true, retranslate};
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
