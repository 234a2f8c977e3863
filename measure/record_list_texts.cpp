#include "measure/record_list_texts.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "measure/field_format.h"
#include "measure/record_store.h"

namespace mensora {

// The rows are plain bytes, brought into being without a write, so that their pages stay
// untouched until records fill them.
RecordListTexts::RecordListTexts(std::uint32_t capacity)
    : capacity_(capacity),
      rowPages_(std::size_t{capacity} * sizeof(Row)),
      rows_(::new (rowPages_.data()) Row[capacity]) {
    static_assert(std::is_trivially_default_constructible_v<Row> &&
                  std::is_trivially_destructible_v<Row>);
}

void RecordListTexts::set(std::uint32_t row, std::string_view valueText, Verdict verdict,
                          Language language) {
    if (row >= capacity_) return;
    Row& entry = rows_[row];
    // A row reused after Clear must not keep an earlier long text.
    if (!longTexts_.empty()) longTexts_.erase(row);
    if (valueText.size() <= kValueTextWidth) {
        std::copy(valueText.begin(), valueText.end(), entry.value.begin());
        entry.valueLength = static_cast<std::uint8_t>(valueText.size());
    } else {
        longTexts_[row] = std::string(valueText);
        entry.valueLength = kLongText;
    }
    entry.verdict = verdict;
    entry.language = language;
}

std::string_view RecordListTexts::valueText(std::uint32_t row) const {
    const Row& entry = rows_[row];
    if (entry.valueLength == kLongText) return longTexts_.at(row);
    return {entry.value.data(), entry.valueLength};
}

const char* RecordListTexts::verdictText(std::uint32_t row) const {
    const Row& entry = rows_[row];
    return verdictListText(entry.verdict, entry.language);
}

}  // namespace mensora
