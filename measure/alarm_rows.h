#pragma once
// A run's alarm log as rows: each raised alarm, in the order raised, with its acknowledgement
// joined in, as a list of the alarms and the workbook show them.

#include <span>
#include <vector>

#include "measure/alarm_entry.h"

namespace mensora {

struct AlarmRow {
    const AlarmEntry* raised = nullptr;
    const AlarmEntry* acknowledgement = nullptr;  // none while the alarm is not acknowledged
};

// The rows point into `log`, which must outlive them. Of two acknowledgements of one alarm the
// first counts: the alarm was acknowledged then.
std::vector<AlarmRow> alarmRows(std::span<const AlarmEntry> log);

}  // namespace mensora
