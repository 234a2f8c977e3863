#pragma once
// What only the record list shows, one compact row per record: the live display text the
// reading had when it was recorded (which may differ from the 8-byte value field) and which
// verdict word the list shows. Everything else the list reads from the record store.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/acquisition_state.h"
#include "measure/record_store.h"
#include "measure/reserved_pages.h"

namespace mensora {

class RecordListTexts {
public:
    // The longest value text a row keeps: a gauge frame never gives more.
    static constexpr std::size_t kValueTextWidth = 9;

    // One row for each record a store of `capacity` can hold.
    explicit RecordListTexts(std::uint32_t capacity = kRecordCapacity);

    // Row `row` (below the store's capacity) shows `valueText` and the verdict word of
    // `language`. A frame's text fits the compact row; a longer one (typed into the live
    // field) is kept whole beside it, as only such rare rows need the room.
    void set(std::uint32_t row, std::string_view valueText, Verdict verdict, Language language);

    std::string_view valueText(std::uint32_t row) const;
    const char* verdictText(std::uint32_t row) const;

private:
    struct Row {
        std::array<char, kValueTextWidth> value;
        std::uint8_t valueLength;
        Verdict verdict;
        Language language;
    };
    static constexpr std::uint8_t kLongText = 0xFF;  // valueLength of a row kept in longTexts_

    std::uint32_t capacity_;
    ReservedPages rowPages_;  // room for one row per possible record, reserved once
    Row* rows_;               // in rowPages_, written only as records are made
    std::unordered_map<std::uint32_t, std::string> longTexts_;
};

}  // namespace mensora
