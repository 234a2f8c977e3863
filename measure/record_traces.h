#pragma once
// Which part, characteristic, lot, operator and gauge each record was taken with. Records
// carry no strings: each holds a 2-byte index into the few distinct combinations of values
// that were in force while records were taken (index 0 is the combination with every value
// empty). The indexes are reserved whole, like the record store, so they never move: a worker
// may read the indexes of the records below the count it started with while new records are
// stamped on the window's thread. Everything else belongs to the window's thread.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "measure/record_store.h"
#include "measure/reserved_pages.h"
#include "measure/trace_values.h"

namespace mensora {

class RecordTraces {
public:
    // How many distinct combinations the records since start-up or the last Clear may carry.
    // A combination takes room only once a record carries it: values set and replaced before
    // any record was taken leave nothing behind.
    static constexpr std::size_t kCombinationCapacity = 4096;

    // Room for the indexes of `capacity` records, as the record store has.
    explicit RecordTraces(std::uint32_t capacity = kRecordCapacity);
    RecordTraces(const RecordTraces&) = delete;
    RecordTraces& operator=(const RecordTraces&) = delete;

    // The values every record from now on carries. Values that takes() refuses change nothing.
    void setInForce(const TraceValues& values);
    // Valid until the values in force change or the records are cleared.
    const TraceValues& inForce() const { return combinations_[inForceIndex_]; }
    // Whether setInForce would take these values: false only when they are new and the
    // records already carry kCombinationCapacity combinations.
    bool takes(const TraceValues& values) const;

    // Recording calls it for each new record, with the record's index in the store.
    void stamp(std::uint32_t recordIndex);
    // The combination in force when record `recordIndex` was taken.
    std::uint16_t indexOf(std::uint32_t recordIndex) const;
    // A copy of the distinct combinations, by index: taken on the window's thread, it names
    // every index of the records held then.
    std::vector<TraceValues> combinations() const { return combinations_; }
    // One of them, by an index a record carries: on the window's thread.
    const TraceValues& combination(std::uint16_t index) const { return combinations_[index]; }
    // The records were emptied: the combinations they carried go, the values in force stay.
    void cleared();

private:
    std::size_t indexOfCombination(const TraceValues& values) const;
    bool inForceIsSpare() const;
    // takes() for values found at `known` among the combinations (their count: new ones).
    bool takesCombination(std::size_t known) const;

    std::uint32_t capacity_;
    ReservedPages indexes_;
    // Looked up by their values, so that a plan that sets new values with every record finds
    // its combination in a few steps however many there are.
    struct ValuesHash {
        std::size_t operator()(const TraceValues& values) const;
    };

    std::vector<TraceValues> combinations_{TraceValues{}};
    std::unordered_map<TraceValues, std::uint16_t, ValuesHash> combinationIndexes_{{{}, 0}};
    std::uint16_t inForceIndex_ = 0;
    // The combination in force was added for it and no record carries it yet.
    bool inForceFresh_ = false;
};

}  // namespace mensora
