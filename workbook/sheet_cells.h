#pragma once
// What every sheet of a workbook writes its cells with: the cell formats, each made once, and
// a record's number, text or time stamp as its cell. Seen only by the workbook's own files:
// it holds libxlsxwriter's types.

#include <xlsxwriter.h>

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

// The cell formats a workbook uses, each made once: libxlsxwriter keeps every format object
// for the whole workbook.
class Formats {
public:
    explicit Formats(lxw_workbook* book);

    lxw_format* header() const { return header_; }
    // Integers and text: the default look, or red (an NG record).
    lxw_format* plain(bool red) const { return plain_[red]; }
    lxw_format* time(bool red) const { return time_[red]; }
    // A number shown with exactly `decimals` places.
    lxw_format* number(int decimals, bool red);

private:
    lxw_format* redFormat() const;

    lxw_workbook* book_;
    lxw_format* header_ = nullptr;
    lxw_format* plain_[2] = {};
    lxw_format* time_[2] = {};
    lxw_format* numbers_[2][kMostDecimals + 1] = {};
};

// Only printable ASCII of a field that holds no number reaches the sheet as text.
std::string fieldText(std::string_view field);

// The number with its places, or the field's text when it holds none (a gauge that sent
// dashes).
void writeNumberOrText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
                       const std::optional<FieldNumber>& number, std::string_view field,
                       Formats& formats, bool red);

// A date-time cell, or the stamp's text when it is not a date.
void writeTime(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
               const std::optional<LocalDateTime>& time, std::string_view stamp, Formats& formats,
               bool red);

}  // namespace mensora
