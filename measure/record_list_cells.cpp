#include "measure/record_list_cells.h"

#include "base/texts.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"

namespace mensora {

const char* recordListTitle(int column, Language language) {
    if (column < 0 || column >= RecordListColumnCount) return "";
    return pick(texts::kListColumns[column].title, language);
}

int recordListWidth(int column, Language language) {
    if (column < 0 || column >= RecordListColumnCount) return 0;
    const texts::ListColumn& heading = texts::kListColumns[column];
    return language == Language::English ? heading.englishWidth : heading.chineseWidth;
}

std::string recordListCell(const RecordStore& store, const RecordListTexts& texts,
                           std::uint32_t row, int column) {
    switch (column) {
        case SeqColumn: return std::string(store.seqField(row));
        case ValueColumn: return texts.valueText(row);
        case ErrorColumn: return std::string(store.errorField(row));
        case ResultColumn: return texts.verdictText(row);
        case TimeColumn: return std::string(store.timeField(row));
        default: return {};
    }
}

}  // namespace mensora
