#include "measure/record_traces.h"

#include <algorithm>
#include <cstring>

namespace mensora {

RecordTraces::RecordTraces(std::uint32_t capacity)
    : capacity_(capacity), indexes_(std::size_t{capacity} * sizeof(std::uint16_t)) {}

std::size_t RecordTraces::indexOfCombination(const TraceValues& values) const {
    return static_cast<std::size_t>(std::find(combinations_.begin(), combinations_.end(), values) -
                                    combinations_.begin());
}

// A combination added for the values in force that no record carries is the last one and
// gives its place to the next values, so that trying values costs no room.
bool RecordTraces::inForceIsSpare() const {
    return inForceFresh_ && inForceIndex_ + 1u == combinations_.size();
}

bool RecordTraces::takes(const TraceValues& values) const {
    return indexOfCombination(values) < combinations_.size() ||
           combinations_.size() < kCombinationCapacity || inForceIsSpare();
}

void RecordTraces::setInForce(const TraceValues& values) {
    if (values == inForce() || !takes(values)) return;
    if (inForceIsSpare()) combinations_.pop_back();
    const std::size_t known = indexOfCombination(values);
    inForceFresh_ = known == combinations_.size();
    if (inForceFresh_) combinations_.push_back(values);
    inForceIndex_ = static_cast<std::uint16_t>(inForceFresh_ ? combinations_.size() - 1 : known);
}

void RecordTraces::stamp(std::uint32_t recordIndex) {
    if (recordIndex >= capacity_) return;
    // Copied as bytes: the reserved room holds no objects of its own.
    std::memcpy(indexes_.data() + std::size_t{recordIndex} * sizeof inForceIndex_, &inForceIndex_,
                sizeof inForceIndex_);
    inForceFresh_ = false;
}

std::uint16_t RecordTraces::indexOf(std::uint32_t recordIndex) const {
    std::uint16_t index = 0;
    if (recordIndex < capacity_) {
        std::memcpy(&index, indexes_.data() + std::size_t{recordIndex} * sizeof index,
                    sizeof index);
    }
    return index;
}

void RecordTraces::cleared() {
    const TraceValues values = inForce();
    combinations_.assign(1, TraceValues{});
    inForceIndex_ = 0;
    inForceFresh_ = false;
    setInForce(values);
}

}  // namespace mensora
