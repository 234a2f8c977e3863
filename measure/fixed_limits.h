#pragma once
// Control limits fixed from the records at one moment, as a plan or the settings keep them. The
// range chart's centre is not kept: for a known σ it is d2·σ, so the two cannot disagree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace mensora {

struct FixedLimits {
    double centre = 0.0;  // X̄ of the readings, or X̿ of the subgroup means
    double sigma = 0.0;   // σ within, of single readings
    std::uint8_t subgroupSize = 1;
    LocalDateTime fixedAt;
    std::uint32_t recordCount = 0;  // how many records they were fixed from

    bool operator==(const FixedLimits&) const = default;
};

// When limits were fixed, as a plan's file, the settings and the charts write it:
// "YYYY-MM-DD hh:mm:ss", local time.
std::string fixedTimeText(const LocalDateTime& time);
// Back from that text; none for any other.
std::optional<LocalDateTime> fixedTimeFromText(std::string_view text);

}  // namespace mensora
