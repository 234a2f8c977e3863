#pragma once
// What every cell of the record list shows, for both front ends: the columns in their order,
// their titles and widths in the interface language, and a cell's text read from the store
// and the list texts. Nothing is copied per row.

#include <cstdint>
#include <optional>
#include <string>

#include "base/language.h"

namespace mensora {

class RecordStore;
class RecordListTexts;
class RecordTraces;

enum RecordListColumn : int {
    SeqColumn,
    ValueColumn,
    ErrorColumn,
    ResultColumn,
    TimeColumn,
    RecordListColumnCount
};

// With a plan in force the list has a column more after those: the characteristic each record
// was taken for, its number and name.
inline constexpr int kCharacteristicColumn = RecordListColumnCount;

// Title (UTF-8) and width in pixels of a column in the interface language.
const char* recordListTitle(int column, Language language);
int recordListWidth(int column, Language language);

// The amber a record of the warning zone is shown on, in the list and in a workbook's rows, as
// 0xRRGGBB.
inline constexpr std::uint32_t kWarningBackground = 0xFFD54F;

// The colours a row stands out in, each as 0xRRGGBB.
struct RowShade {
    std::uint32_t background;
    std::uint32_t text;
};

// A row of a record in the warning zone stands out in amber; none for every other row, which
// the list draws in its own colours.
std::optional<RowShade> recordListShade(const RecordListTexts& texts, std::uint32_t row);

// The text (UTF-8) of one cell of a stored row; empty for a column outside the list.
std::string recordListCell(const RecordStore& store, const RecordListTexts& texts,
                           const RecordTraces& traces, std::uint32_t row, int column);

}  // namespace mensora
