#pragma once
// What the window tells the bench about the plant database, without opening anything.

#include <cstdint>
#include <optional>
#include <string>

#include "base/language.h"

namespace mensora {

struct PlantStatus {
    bool upToDate = false;
    std::optional<std::int64_t> waiting;  // records the plant does not hold yet; unknown at first
    std::string lastError;                // empty while sending works
    // The journal, which the plant is sent from, cannot be written: what waits in memory
    // cannot be sent until it can.
    bool journalFailing = false;

    bool operator==(const PlantStatus&) const = default;
};

// One line for the window: up to date, or how many wait, and the last error.
std::string plantStatusText(const PlantStatus& status, Language language);

}  // namespace mensora
