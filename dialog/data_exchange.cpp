#include "dialog/data_exchange.h"

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/texts.h"

namespace mensora {

void DataExchange::push() {
    const Statistics& stats = state_.statistics;
    const Parameters& params = state_.parameters;
    const LinkCounters& counters = state_.counters;
    window_.setText(StatusField, state_.statusLabel);
    window_.setText(LiveValue, state_.reading.valueText);
    window_.setText(AverageField, formatFloat(stats.shownAverage));
    window_.setText(MaximumField, formatFloat(stats.shownMaximum));
    window_.setText(MinimumField, formatFloat(stats.shownMinimum));
    window_.setText(CountField, formatUnsigned(stats.shownCount));
    window_.setText(OkCountField, formatUnsigned(stats.shownOk));
    window_.setText(OverUpperField, formatUnsigned(stats.shownOverUpper));
    window_.setText(UnderLowerField, formatUnsigned(stats.shownUnderLower));
    window_.setText(NominalField, formatFloat(params.shownNominal));
    window_.setText(UpperToleranceField, formatFloat(params.shownUpperTolerance));
    window_.setText(LowerToleranceField, formatFloat(params.shownLowerTolerance));
    window_.setText(SampleIntervalField, formatUnsigned(params.sampleIntervalMs));
    window_.setText(UnitLabel, state_.reading.unitText);
    window_.setText(BadFrameField, formatUnsigned(counters.shownBad));
    window_.setText(SilentPollField, formatUnsigned(counters.shownSilent));
    window_.setText(GoodFrameField, formatSigned(counters.shownGood));
}

bool DataExchange::pull() {
    Statistics& stats = state_.statistics;
    Parameters& params = state_.parameters;
    LinkCounters& counters = state_.counters;
    return pullText(StatusField, state_.statusLabel) &&
           pullText(LiveValue, state_.reading.valueText) &&
           pullFloat(AverageField, stats.shownAverage) &&
           pullFloat(MaximumField, stats.shownMaximum) &&
           pullFloat(MinimumField, stats.shownMinimum) &&
           pullUnsigned(CountField, stats.shownCount) &&
           pullUnsigned(OkCountField, stats.shownOk) &&
           pullUnsigned(OverUpperField, stats.shownOverUpper) &&
           pullUnsigned(UnderLowerField, stats.shownUnderLower) &&
           pullFloat(NominalField, params.shownNominal) &&
           pullFloat(UpperToleranceField, params.shownUpperTolerance) &&
           pullFloat(LowerToleranceField, params.shownLowerTolerance) &&
           pullUnsigned(SampleIntervalField, params.sampleIntervalMs) &&
           pullText(UnitLabel, state_.reading.unitText) &&
           pullUnsigned(BadFrameField, counters.shownBad) &&
           pullUnsigned(SilentPollField, counters.shownSilent) &&
           pullSigned(GoodFrameField, counters.shownGood);
}

bool DataExchange::pullText(int controlId, std::string& target) {
    target = window_.text(controlId);
    return true;
}

bool DataExchange::pullFloat(int controlId, float& target) {
    const auto value = parseFloat(window_.text(controlId));
    if (!value) return refuse(controlId, texts::kNotANumber);
    target = *value;
    return true;
}

bool DataExchange::pullUnsigned(int controlId, std::uint32_t& target) {
    const auto value = parseUnsigned(window_.text(controlId));
    if (!value) return refuse(controlId, texts::kNotUnsigned);
    target = *value;
    return true;
}

bool DataExchange::pullSigned(int controlId, std::int32_t& target) {
    const auto value = parseSigned(window_.text(controlId));
    if (!value) return refuse(controlId, texts::kNotSigned);
    target = *value;
    return true;
}

bool DataExchange::refuse(int controlId, const char* message) {
    window_.showMessage(message, MessageIcon::Exclamation);
    window_.setFocus(controlId);
    return false;
}

}  // namespace mensora
