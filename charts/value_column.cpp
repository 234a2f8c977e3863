#include "charts/value_column.h"

#include <algorithm>

namespace mensora {
namespace {

void widen(Extremes& into, const Extremes& with) {
    into.minimum = std::min(into.minimum, with.minimum);
    into.maximum = std::max(into.maximum, with.maximum);
}

}  // namespace

ValueColumn::ValueColumn(std::uint32_t capacity)
    // Default-initialised arrays: the pages stay unused until records reach them.
    : capacity_(capacity), values_(new float[capacity]) {
    std::uint32_t entries = capacity;
    for (auto& level : blocks_) {
        entries = (entries >> kFanShift) + 1;
        level.reset(new Extremes[entries]);
    }
}

void ValueColumn::append(float value) {
    if (size_ >= capacity_) return;
    const std::uint32_t index = size_;
    values_[index] = value;
    // The first record of a block starts it over; the bytes of earlier fillings are stale.
    for (unsigned level = 0; level < kLevels; ++level) {
        const unsigned shift = kFanShift * (level + 1);
        Extremes& block = blocks_[level][index >> shift];
        if ((index & ((1u << shift) - 1)) == 0) {
            block = {value, value};
        } else {
            widen(block, {value, value});
        }
    }
    ++size_;
}

// Climbs the levels: at each, the ragged ends are taken one entry at a time until both ends
// sit on block boundaries, and the stretch between them is the next level's business.
Extremes ValueColumn::extremes(std::uint32_t first, std::uint32_t last) const {
    Extremes found{values_[first], values_[first]};
    const Extremes* entries = nullptr;  // level below the blocks: the values themselves
    constexpr std::uint32_t kFan = 1u << kFanShift;
    for (unsigned level = 0;; ++level) {
        auto at = [&](std::uint32_t i) {
            return entries == nullptr ? Extremes{values_[i], values_[i]} : entries[i];
        };
        if (level == kLevels) {
            for (; first < last; ++first) widen(found, at(first));
            return found;
        }
        while (first < last && (first % kFan) != 0) widen(found, at(first++));
        while (last > first && (last % kFan) != 0) widen(found, at(--last));
        if (first == last) return found;
        first /= kFan;
        last /= kFan;
        entries = blocks_[level].get();
    }
}

}  // namespace mensora
