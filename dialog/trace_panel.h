#pragma once
// What the Part and lot window does: the values its fields show when it opens, and OK, which
// takes the five typed texts, puts them in force for every record from now on and remembers
// them for the next start. Cancel does nothing, so it is not here.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "base/language.h"
#include "base/settings_store.h"
#include "measure/record_traces.h"
#include "measure/trace_fields.h"

namespace mensora {

using TraceTexts = std::array<std::string, kTraceFieldCount>;

class TracePanel {
public:
    // `confirmed` hears of each OK, with the values in force before it.
    TracePanel(RecordTraces& traces, SettingsStore& settings,
               std::function<void(const TraceValues& former)> confirmed = {});

    // At start: the values OK remembered last are in force again. A remembered text that a
    // field would refuse (a hand-edited settings file) is left empty.
    void restore();

    // The values in force, in the order of kTraceFields: what the fields show on opening.
    TraceTexts shown() const;

    struct Refusal {
        std::size_t field;  // which field the focus goes to
        std::string message;
    };
    // OK. Nothing changes when a text is refused; the first refused field is named.
    std::optional<Refusal> confirm(const TraceTexts& typed, Language language);

private:
    RecordTraces& traces_;
    SettingsStore& settings_;
    std::function<void(const TraceValues&)> confirmed_;
};

}  // namespace mensora
