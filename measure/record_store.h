#pragma once
// Every record since start-up or the last Clear, as the five fixed-width text fields that
// the record files hold byte for byte. The whole capacity is reserved once, zero-filled, so
// that recording never allocates and can never fail for want of memory; its pages are
// written only as records fill them, so the memory in use grows with the records.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "measure/field_format.h"
#include "measure/reserved_pages.h"

namespace mensora {

constexpr std::uint32_t kRecordCapacity = 1'000'000;

using ValueFieldText = std::array<char, 8>;

// The fields of one record, in the order a record line lists them.
struct RecordFields {
    SequenceText seq;
    ValueFieldText value;
    DeviationText error;
    VerdictRecordText result;
    TimeStampText time;
};

class RecordStore {
public:
    static constexpr std::size_t kSeqWidth = sizeof(SequenceText);
    static constexpr std::size_t kValueWidth = sizeof(ValueFieldText);
    static constexpr std::size_t kErrorWidth = sizeof(DeviationText);
    static constexpr std::size_t kResultWidth = sizeof(VerdictRecordText);
    static constexpr std::size_t kTimeWidth = sizeof(TimeStampText);
    static constexpr std::size_t kRecordWidth =
        kSeqWidth + kValueWidth + kErrorWidth + kResultWidth + kTimeWidth;

    // Room for `capacity` records; the program keeps a million, a test may keep fewer.
    explicit RecordStore(std::uint32_t capacity = kRecordCapacity);
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    std::uint32_t count() const { return count_; }
    std::uint32_t capacity() const { return capacity_; }
    bool full() const { return count_ >= capacity_; }

    // Writes the record at index count() and only then counts it. The caller checks full()
    // first; an append to a full store is refused and changes nothing.
    void append(const RecordFields& fields);
    // Forgets every record; the bytes stay and are overwritten by later appends.
    void empty() { count_ = 0; }

    // The fields of record `index` (below count()), each exactly its width.
    std::string_view seqField(std::uint32_t index) const { return field(seq_, kSeqWidth, index); }
    std::string_view valueField(std::uint32_t index) const {
        return field(value_, kValueWidth, index);
    }
    std::string_view errorField(std::uint32_t index) const {
        return field(error_, kErrorWidth, index);
    }
    std::string_view resultField(std::uint32_t index) const {
        return field(result_, kResultWidth, index);
    }
    std::string_view timeField(std::uint32_t index) const {
        return field(time_, kTimeWidth, index);
    }

private:
    static std::string_view field(const char* column, std::size_t width, std::uint32_t index) {
        return {column + std::size_t{index} * width, width};
    }

    std::uint32_t capacity_;
    ReservedPages bytes_;  // the five columns one after another
    char* seq_;
    char* value_;
    char* error_;
    char* result_;
    char* time_;
    std::uint32_t count_ = 0;
};

}  // namespace mensora
