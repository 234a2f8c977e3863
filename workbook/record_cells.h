#pragma once
// One record of the store as the numbers a workbook row holds: the fixed-width text fields
// read back into a value with its own decimal places, the deviation, the verdict and the time
// stamp's parts. Read with std::from_chars, so no locale can change them.

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/clock.h"

namespace mensora {

class RecordStore;

// A number as a field shows it, with the digits it has behind its point.
struct FieldNumber {
    double value;
    int decimals;
};

struct RecordCells {
    // Empty when the field holds no number (a gauge that sent dashes); the row then shows the
    // field's text.
    std::optional<FieldNumber> value;
    std::optional<FieldNumber> error;
    bool ok;
    std::optional<LocalDateTime> time;  // empty when the stamp is not a date
};

// The number a field shows, blanks around it and a leading '+' allowed.
std::optional<FieldNumber> fieldNumber(std::string_view field);

// "YYYY-MM-DD; hh:mm:ss" as its parts.
std::optional<LocalDateTime> stampTime(std::string_view stamp);

RecordCells recordCells(const RecordStore& store, std::uint32_t index);

// Whether the record was judged OK, in either language it was stored in.
bool recordOk(const RecordStore& store, std::uint32_t index);

}  // namespace mensora
