#include "dialog/data_exchange.h"

#include <array>
#include <variant>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/texts.h"

namespace mensora {
namespace {

// A bound value of the state, of one of the four kinds a field shows.
using BoundValue = std::variant<std::string*, float*, std::uint32_t*, std::int32_t*>;

struct Binding {
    int controlId;
    BoundValue value;
};

// Every field bound to the state, in the order both directions take them.
std::array<Binding, 17> bindingsOf(AcquisitionState& state) {
    StatisticsFigures& shown = state.statistics.shown;
    Parameters& params = state.parameters;
    LinkCounters& counters = state.counters;
    return {{
        {StatusField, &state.statusLabel},
        {LiveValue, &state.reading.valueText},
        {AverageField, &shown.average},
        {MaximumField, &shown.maximum},
        {MinimumField, &shown.minimum},
        {CountField, &shown.count},
        {OkCountField, &shown.okCount},
        {OverUpperField, &shown.overUpperCount},
        {UnderLowerField, &shown.underLowerCount},
        {NominalField, &params.shownNominal},
        {UpperToleranceField, &params.shownUpperTolerance},
        {LowerToleranceField, &params.shownLowerTolerance},
        {SampleIntervalField, &params.sampleIntervalMs},
        {UnitLabel, &state.reading.unitText},
        {BadFrameField, &counters.shownBad},
        {SilentPollField, &counters.shownSilent},
        {GoodFrameField, &counters.shownGood},
    }};
}

std::string fieldText(const std::string* value) { return *value; }
std::string fieldText(const float* value) { return formatFloat(*value); }
std::string fieldText(const std::uint32_t* value) { return formatUnsigned(*value); }
std::string fieldText(const std::int32_t* value) { return formatSigned(*value); }

}  // namespace

void DataExchange::push() {
    for (const Binding& binding : bindingsOf(state_)) {
        window_.setText(
            binding.controlId,
            std::visit([](const auto* value) { return fieldText(value); }, binding.value));
    }
}

void DataExchange::pushSizes(const SizeTexts& texts) {
    window_.setText(NominalField, texts.nominal);
    window_.setText(UpperToleranceField, texts.upperTolerance);
    window_.setText(LowerToleranceField, texts.lowerTolerance);
}

bool DataExchange::pull() {
    for (const Binding& binding : bindingsOf(state_)) {
        const bool taken = std::visit(
            [&](auto* value) { return pullInto(binding.controlId, *value); }, binding.value);
        if (!taken) return false;
    }
    return true;
}

bool DataExchange::pullInto(int controlId, std::string& target) {
    target = window_.text(controlId);
    return true;
}

bool DataExchange::pullInto(int controlId, float& target) {
    const auto value = parseFloat(window_.text(controlId));
    if (!value) return refuse(controlId, texts::kNotANumber);
    target = *value;
    return true;
}

bool DataExchange::pullInto(int controlId, std::uint32_t& target) {
    const auto value = parseUnsigned(window_.text(controlId));
    if (!value) return refuse(controlId, texts::kNotUnsigned);
    target = *value;
    return true;
}

bool DataExchange::pullInto(int controlId, std::int32_t& target) {
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
