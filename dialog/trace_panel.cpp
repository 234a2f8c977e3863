#include "dialog/trace_panel.h"

#include "measure/trace_texts.h"

namespace mensora {
namespace {

// The settings section of the values, beside "Settings".
constexpr const char* kSection = "Trace";

}  // namespace

TracePanel::TracePanel(RecordTraces& traces, SettingsStore& settings,
                       std::function<void(const TraceValues& former)> confirmed)
    : traces_(traces), settings_(settings), confirmed_(std::move(confirmed)) {}

void TracePanel::restore() {
    TraceValues values;
    for (const TraceField& field : kTraceFields) {
        const std::optional<std::string> stored = settings_.getText(kSection, field.settingKey);
        if (!stored) continue;
        TraceFieldCheck check = checkTraceField(*stored);
        if (check.fault == TraceFieldFault::None) values.*field.value = std::move(check.kept);
    }
    traces_.setInForce(values);
}

TraceTexts TracePanel::shown() const {
    TraceTexts texts;
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        texts[i] = traces_.inForce().*kTraceFields[i].value;
    }
    return texts;
}

std::optional<TracePanel::Refusal> TracePanel::confirm(const TraceTexts& typed, Language language) {
    TraceValues values;
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        TraceFieldCheck check = checkTraceField(typed[i]);
        if (check.fault != TraceFieldFault::None) {
            return Refusal{i, traceFieldFaultText(kTraceFields[i], check.fault, language)};
        }
        values.*kTraceFields[i].value = std::move(check.kept);
    }
    if (!traces_.takes(values)) {
        return Refusal{0, pick(trace_texts::kTooManyCombinations, language)};
    }
    const TraceValues former = traces_.inForce();
    traces_.setInForce(values);
    for (const TraceField& field : kTraceFields) {
        settings_.putText(kSection, field.settingKey, values.*field.value);
    }
    if (confirmed_) confirmed_(former);
    return std::nullopt;
}

}  // namespace mensora
