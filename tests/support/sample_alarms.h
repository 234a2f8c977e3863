#pragma once
// A run's alarm log whose every line is known, for the tests of the doors it goes out by (the
// journal, the plant database, the workbook). The run's records start at 2026-12-07 08:00:00.
// Alarm 1 (rule 2 on the values over records 1-9) is acknowledged by line 3 with a cause and
// no note; alarm 2 (rule 1 on the ranges, no plan) never; alarm 4 (rule 5 over records 18-20)
// by line 5 with a note and no cause.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "measure/alarm_entry.h"

namespace mensora::test {

// At 08:mm:ss of the run's day.
inline AlarmEntry raisedAlarm(std::uint32_t number, int minute, int second, int rule,
                              bool rangeChart, std::string characteristic, std::uint32_t first,
                              std::uint32_t last) {
    AlarmEntry entry;
    entry.number = number;
    entry.at = {2026, 12, 7, 8, minute, second};
    entry.rule = rule;
    entry.rangeChart = rangeChart;
    entry.characteristic = std::move(characteristic);
    entry.firstRecord = first;
    entry.lastRecord = last;
    return entry;
}

inline AlarmEntry alarmAcknowledgement(std::uint32_t number, int minute, int second,
                                       std::uint32_t of, std::string cause, std::string note) {
    AlarmEntry entry;
    entry.number = number;
    entry.kind = AlarmKind::Acknowledged;
    entry.at = {2026, 12, 7, 8, minute, second};
    entry.acknowledges = of;
    entry.cause = std::move(cause);
    entry.note = std::move(note);
    return entry;
}

inline std::vector<AlarmEntry> sampleAlarms() {
    return {raisedAlarm(1, 0, 9, 2, false, "Ø 12 ±0.045", 1, 9),
            raisedAlarm(2, 0, 12, 1, true, "", 11, 12),
            alarmAcknowledgement(3, 1, 0, 1, "刀具磨损", ""),
            raisedAlarm(4, 0, 20, 5, false, "Ø 12 ±0.045", 18, 20),
            alarmAcknowledgement(5, 1, 15, 4, "", "换刀后复测")};
}

}  // namespace mensora::test
