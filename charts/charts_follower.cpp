#include "charts/charts_follower.h"

#include <utility>

namespace mensora {

bool ChartsFollower::Seen::operator==(const Seen& other) const {
    return revision == other.revision && limits.nominal == other.limits.nominal &&
           limits.upper == other.limits.upper && limits.lower == other.limits.lower &&
           language == other.language && trace == other.trace;
}

ChartsFollower::ChartsFollower(ChartSource chartData, const AcquisitionState& state,
                               const RecordTraces& traces, SettingsStore& settings)
    : data_(std::move(chartData)), state_(state), traces_(traces), settings_(settings) {}

ChartInputs ChartsFollower::inputs() const {
    return {data_(), toleranceLimits(state_.parameters), state_.language(), traces_.inForce()};
}

ChartsFollower::Change ChartsFollower::look() {
    const ChartInputs now = inputs();
    Seen seen{data_().revision(), now.limits, now.language, now.trace};
    if (seen_ && *seen_ == seen) return {false, false};
    const bool retranslate = !seen_ || seen_->language != seen.language;
    seen_ = std::move(seen);
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
