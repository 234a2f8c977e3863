#pragma once
// One line of a run's alarm log: a run rule that fired on a control chart as the records were
// taken, or the operator's acknowledgement of such an alarm. The log only grows, in the order
// things happened, so that the journal and the plant database keep it as rows appended after
// each other, each sent once.

#include <cstdint>
#include <string>

#include "base/clock.h"

namespace mensora {

enum class AlarmKind : std::uint8_t { Raised, Acknowledged };

struct AlarmEntry {
    // In the run's order from 1, raised alarms and acknowledgements counted alike.
    std::uint32_t number = 0;
    AlarmKind kind = AlarmKind::Raised;
    LocalDateTime at;

    // A raised alarm: the rule (1 to 8) and whether it fired on the range chart (where only
    // rule 1 is watched), the characteristic as a record's trace names it (empty while no plan
    // is in force) and the records the rule's pattern covers, numbered as the list numbers
    // them.
    int rule = 0;
    bool rangeChart = false;
    std::string characteristic;
    std::uint32_t firstRecord = 0;
    std::uint32_t lastRecord = 0;

    // An acknowledgement: the number of the raised alarm it acknowledges, the cause the
    // operator chose or typed and the note, either may be empty.
    std::uint32_t acknowledges = 0;
    std::string cause;
    std::string note;

    friend bool operator==(const AlarmEntry&, const AlarmEntry&) = default;
};

}  // namespace mensora
