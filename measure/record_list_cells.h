#pragma once
// What every cell of the record list shows, for both front ends: the columns in their order,
// their titles and widths in the interface language, and a cell's text read from the store
// and the list texts. Nothing is copied per row.

#include <cstdint>
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

// The text (UTF-8) of one cell of a stored row; empty for a column outside the list.
std::string recordListCell(const RecordStore& store, const RecordListTexts& texts,
                           const RecordTraces& traces, std::uint32_t row, int column);

}  // namespace mensora
