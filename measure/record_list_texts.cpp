#include "measure/record_list_texts.h"

#include <algorithm>

#include "measure/field_format.h"
#include "measure/record_store.h"

namespace mensora {

RecordListTexts::RecordListTexts(std::uint32_t capacity)
    : capacity_(capacity), rows_(new Row[capacity]()) {}

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
