#pragma once
// What every sheet of a workbook writes its cells with: the cell formats, each made once, and
// a record's number, text or time stamp as its cell. Seen only by the workbook's own files:
// it holds libxlsxwriter's types.

#include <xlsxwriter.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "workbook/record_cells.h"

namespace mensora {

// A gauge frame has at most seven digits behind its point; a bin edge one more.
inline constexpr int kMostDecimals = 8;

// The records sheet's columns, in the order of their headings (workbook_texts::kRecordHeader);
// the first trace column is the part number.
enum RecordColumn : lxw_col_t { No, Value, Error, Result, Time, FirstTrace };

// How a record's cells look: the default, red text (an NG record) or an amber fill (an OK record
// of the warning zone).
enum class CellLook : std::uint8_t { Plain, Ng, Warning };
inline constexpr std::size_t kCellLooks = 3;

// An NG record is red whatever else it is; an OK one amber when it warned.
inline CellLook recordLook(bool ok, bool warned) {
    if (!ok) return CellLook::Ng;
    return warned ? CellLook::Warning : CellLook::Plain;
}

// The cell formats a workbook uses, each made once: libxlsxwriter keeps every format object
// for the whole workbook.
class Formats {
public:
    explicit Formats(lxw_workbook* book);

    lxw_format* header() const { return header_; }
    // Integers and text.
    lxw_format* plain(CellLook look) const { return plain_[index(look)]; }
    lxw_format* time(CellLook look) const { return time_[index(look)]; }
    // A number shown with exactly `decimals` places.
    lxw_format* number(int decimals, CellLook look);

private:
    static std::size_t index(CellLook look) { return static_cast<std::size_t>(look); }
    // A new format of the look; none is made for the default look of integers and text.
    lxw_format* lookFormat(CellLook look) const;

    lxw_workbook* book_;
    lxw_format* header_ = nullptr;
    lxw_format* plain_[kCellLooks] = {};
    lxw_format* time_[kCellLooks] = {};
    lxw_format* numbers_[kCellLooks][kMostDecimals + 1] = {};
};

// Only printable ASCII of a field that holds no number reaches the sheet as text.
std::string fieldText(std::string_view field);

// The number with its places, or the field's text when it holds none (a gauge that sent
// dashes).
void writeNumberOrText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
                       const std::optional<FieldNumber>& number, std::string_view field,
                       Formats& formats, CellLook look);

// A date-time cell, or the stamp's text when it is not a date.
void writeTime(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
               const std::optional<LocalDateTime>& time, std::string_view stamp, Formats& formats,
               CellLook look);

}  // namespace mensora
