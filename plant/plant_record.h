#pragma once
// One record as it leaves the journal for the plant database: the journal's row number and
// everything the list and the record file show, with the parameters in force. A text or number
// the journal left empty (no part given yet) goes to the plant as NULL.

#include <cstdint>
#include <optional>
#include <string>

namespace mensora {

struct PlantRecord {
    std::int64_t sequence = 0;  // the journal's row number: increasing, never reused
    std::optional<std::int64_t> number;
    std::optional<std::string> valueText;
    std::optional<double> value;
    std::optional<double> error;
    std::optional<int> verdict;          // 0 OK, 1 over the upper limit, 2 under the lower
    std::optional<std::string> takenAt;  // "YYYY-MM-DD hh:mm:ss", local time
    std::optional<double> nominal;
    std::optional<double> upperTolerance;
    std::optional<double> lowerTolerance;
    std::optional<std::string> unit;
    std::optional<std::string> part;
    std::optional<std::string> characteristic;
    std::optional<std::string> lot;
    std::optional<std::string> operatorName;
    std::optional<std::string> gaugeId;
};

}  // namespace mensora
