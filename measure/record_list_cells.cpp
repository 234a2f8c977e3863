#include "measure/record_list_cells.h"

#include "base/texts.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/record_traces.h"

namespace mensora {
namespace {

constexpr texts::ListColumn kCharacteristicHeading{{"测量特性", "Characteristic"}, 120, 120};

const texts::ListColumn* headingOf(int column) {
    if (column == kCharacteristicColumn) return &kCharacteristicHeading;
    if (column < 0 || column >= RecordListColumnCount) return nullptr;
    return &texts::kListColumns[column];
}

}  // namespace

const char* recordListTitle(int column, Language language) {
    const texts::ListColumn* heading = headingOf(column);
    return heading == nullptr ? "" : pick(heading->title, language);
}

int recordListWidth(int column, Language language) {
    const texts::ListColumn* heading = headingOf(column);
    if (heading == nullptr) return 0;
    return language == Language::English ? heading->englishWidth : heading->chineseWidth;
}

std::optional<RowShade> recordListShade(const RecordListTexts& texts, std::uint32_t row) {
    // Dark text keeps every cell as legible on amber as on white.
    constexpr std::uint32_t kWarningText = 0x000000;
    if (!texts.warned(row)) return std::nullopt;
    return RowShade{kWarningBackground, kWarningText};
}

std::string recordListCell(const RecordStore& store, const RecordListTexts& texts,
                           const RecordTraces& traces, std::uint32_t row, int column) {
    switch (column) {
        case SeqColumn: return std::string(store.seqField(row));
        case ValueColumn: return texts.valueText(row);
        case ErrorColumn: return std::string(store.errorField(row));
        case ResultColumn: return texts.verdictText(row);
        case TimeColumn: return std::string(store.timeField(row));
        case kCharacteristicColumn: return traces.combination(traces.indexOf(row)).characteristic;
        default: return {};
    }
}

}  // namespace mensora
