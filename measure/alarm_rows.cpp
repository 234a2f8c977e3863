#include "measure/alarm_rows.h"

#include <map>

namespace mensora {

std::vector<AlarmRow> alarmRows(std::span<const AlarmEntry> log) {
    std::vector<AlarmRow> rows;
    std::map<std::uint32_t, std::size_t> rowOfNumber;
    for (const AlarmEntry& entry : log) {
        if (entry.kind == AlarmKind::Raised) {
            rowOfNumber.emplace(entry.number, rows.size());
            rows.push_back({&entry, nullptr});
        } else if (const auto row = rowOfNumber.find(entry.acknowledges);
                   row != rowOfNumber.end() && rows[row->second].acknowledgement == nullptr) {
            rows[row->second].acknowledgement = &entry;
        }
    }
    return rows;
}

}  // namespace mensora
