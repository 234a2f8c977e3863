#include "measure/record_traces.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace mensora {

RecordTraces::RecordTraces(std::uint32_t capacity)
    : capacity_(capacity), indexes_(std::size_t{capacity} * sizeof(std::uint16_t)) {}

std::size_t RecordTraces::ValuesHash::operator()(const TraceValues& values) const {
    std::size_t hash = 0;
    for (const std::string* text : {&values.part, &values.characteristic, &values.lot,
                                    &values.operatorName, &values.gaugeId}) {
        hash = hash * 31 + std::hash<std::string>{}(*text);
    }
    return hash;
}

std::size_t RecordTraces::indexOfCombination(const TraceValues& values) const {
    const auto found = combinationIndexes_.find(values);
    return found == combinationIndexes_.end() ? combinations_.size() : found->second;
}

// A combination added for the values in force that no record carries is the last one and
// gives its place to the next values, so that trying values costs no room.
bool RecordTraces::inForceIsSpare() const {
    return inForceFresh_ && inForceIndex_ + 1u == combinations_.size();
}

bool RecordTraces::takes(const TraceValues& values) const {
    return takesCombination(indexOfCombination(values));
}

bool RecordTraces::takesCombination(std::size_t known) const {
    return known < combinations_.size() || combinations_.size() < kCombinationCapacity ||
           inForceIsSpare();
}

void RecordTraces::setInForce(const TraceValues& values) {
    if (values == inForce()) return;
    std::size_t known = indexOfCombination(values);
    if (!takesCombination(known)) return;
    if (inForceIsSpare()) {
        combinationIndexes_.erase(combinations_.back());
        combinations_.pop_back();
        known = std::min(known, combinations_.size());  // new values stay new
    }
    inForceFresh_ = known == combinations_.size();
    if (inForceFresh_) {
        combinationIndexes_.emplace(values, static_cast<std::uint16_t>(known));
        combinations_.push_back(values);
    }
    inForceIndex_ = static_cast<std::uint16_t>(known);
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
    combinationIndexes_ = {{TraceValues{}, 0}};
    inForceIndex_ = 0;
    inForceFresh_ = false;
    setInForce(values);
}

}  // namespace mensora
