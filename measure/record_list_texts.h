#pragma once
// What the record files do not hold, one compact row per record: the live display text the
// reading had when it was recorded (which may differ from the 8-byte value field), which
// verdict word the list shows, and whether the reading lay in the warning zone as it was
// taken. Everything else the list reads from the record store.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/acquisition_state.h"
#include "measure/record_store.h"
#include "measure/reserved_pages.h"

namespace mensora {

class RecordStore;

class RecordListTexts {
public:
    // The longest value text a compact row holds: a gauge frame never gives more.
    static constexpr std::size_t kValueTextWidth = 9;

    // Reads the value fields of `store`, whose records the rows belong to: one row for each
    // record it can hold.
    explicit RecordListTexts(const RecordStore& store);

    // Row `row` (below the store's capacity) shows `valueText` and the verdict word of
    // `language`, and is marked as a warning when `warning` is set. Set once the store holds the row's record: a frame's text is the start of
    // the record's value field, so the compact row keeps only its length (and the ninth
    // character, which the field has no room for). Any other text (typed into the live
    // field) is kept whole beside it, as only such rare rows need the room.
    void set(std::uint32_t row, std::string_view valueText, Verdict verdict, bool warning,
             Language language);

    std::string valueText(std::uint32_t row) const;
    const char* verdictText(std::uint32_t row) const;
    // The verdict of the row's record and the language its word was set in.
    Verdict verdict(std::uint32_t row) const { return static_cast<Verdict>(rows_[row].verdict); }
    Language language(std::uint32_t row) const {
        return static_cast<Language>(rows_[row].language);
    }
    // Whether the row's record was OK yet in the warning zone in force when it was taken.
    bool warned(std::uint32_t row) const { return rows_[row].warning != 0; }

private:
    struct Row {
        std::uint8_t valueLength : 4;  // of the value text, or kKeptWhole
        std::uint8_t verdict : 2;
        std::uint8_t language : 1;
        std::uint8_t warning : 1;
        char ninth;  // the value text's ninth character, when it has nine
    };
    static constexpr std::uint8_t kKeptWhole = 0xF;  // valueLength of a row in keptWhole_

    const RecordStore& store_;
    ReservedPages rowPages_;  // room for one row per possible record, reserved once
    Row* rows_;               // in rowPages_, written only as records are made
    std::unordered_map<std::uint32_t, std::string> keptWhole_;
};

}  // namespace mensora
