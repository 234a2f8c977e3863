#pragma once
// The five values a record is stamped with as the user types them: which field is which, what
// a field takes, and the one line that shows the values in force. Both windows build the Part
// and lot window from this table and leave every rule to it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/texts.h"
#include "measure/trace_values.h"

namespace mensora {

struct TraceField {
    const char* objectName;  // of the field in the Part and lot window
    const char* settingKey;  // under which OK remembers it
    Bilingual label;
    std::string TraceValues::*value;
};

inline constexpr std::size_t kTraceFieldCount = 5;
inline constexpr std::size_t kTraceFieldMaxChars = 40;

inline constexpr std::array<TraceField, kTraceFieldCount> kTraceFields{{
    {"trace-part", "Part", {"零件号", "Part number"}, &TraceValues::part},
    {"trace-characteristic",
     "Characteristic",
     {"测量特性", "Characteristic"},
     &TraceValues::characteristic},
    {"trace-lot", "Lot", {"批号", "Lot"}, &TraceValues::lot},
    {"trace-operator", "Operator", {"操作员", "Operator"}, &TraceValues::operatorName},
    {"trace-gauge", "GaugeId", {"量具编号", "Gauge ID"}, &TraceValues::gaugeId},
}};

enum class TraceFieldFault { None, ControlCharacter, TooLong };

struct TraceFieldCheck {
    std::string kept;  // what is kept when there is no fault: the typed text without its blanks
    TraceFieldFault fault;
};

// A typed text as a field keeps it: a tab, a line break or any other control character is
// refused; leading and trailing blanks (ordinary, no-break and ideographic spaces) are
// dropped; what is left may be at most kTraceFieldMaxChars characters of any script.
TraceFieldCheck checkTraceField(std::string_view typed);

// The refusal of a field's text, naming the field, in the interface language.
std::string traceFieldFaultText(const TraceField& field, TraceFieldFault fault, Language language);

// The values in force on one line: each field's label and value, or that none is set.
std::string traceLine(const TraceValues& values, Language language);

}  // namespace mensora
