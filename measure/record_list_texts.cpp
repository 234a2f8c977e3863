#include "measure/record_list_texts.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "measure/field_format.h"
#include "measure/record_store.h"

namespace mensora {

// The rows are plain bytes, brought into being without a write, so that their pages stay
// untouched until records fill them.
RecordListTexts::RecordListTexts(const RecordStore& store)
    : store_(store),
      rowPages_(std::size_t{store.capacity()} * sizeof(Row)),
      rows_(::new (rowPages_.data()) Row[store.capacity()]) {
    static_assert(sizeof(Row) == 2 && std::is_trivially_default_constructible_v<Row> &&
                  std::is_trivially_destructible_v<Row>);
}

void RecordListTexts::set(std::uint32_t row, std::string_view valueText, Verdict verdict,
                          bool warning, Language language) {
    if (row >= store_.capacity()) return;
    Row& entry = rows_[row];
    // A row reused after Clear must not keep an earlier text.
    if (!keptWhole_.empty()) keptWhole_.erase(row);
    const std::string_view field =
        row < store_.count() ? store_.valueField(row) : std::string_view();
    const std::size_t inField = std::min(valueText.size(), RecordStore::kValueWidth);
    const bool fromField = valueText.size() <= kValueTextWidth && field.size() >= inField &&
                           valueText.substr(0, inField) == field.substr(0, inField);
    if (fromField) {
        entry.valueLength = static_cast<std::uint8_t>(valueText.size());
        entry.ninth = valueText.size() == kValueTextWidth ? valueText.back() : ' ';
    } else {
        keptWhole_[row] = std::string(valueText);
        entry.valueLength = kKeptWhole;
    }
    entry.verdict = static_cast<std::uint8_t>(verdict);
    entry.language = static_cast<std::uint8_t>(language);
    entry.warning = warning ? 1 : 0;
}

std::string RecordListTexts::valueText(std::uint32_t row) const {
    const Row& entry = rows_[row];
    if (entry.valueLength == kKeptWhole) return keptWhole_.at(row);
    const std::size_t length = entry.valueLength;
    std::string text(store_.valueField(row).substr(0, std::min(length, RecordStore::kValueWidth)));
    if (length == kValueTextWidth) text.push_back(entry.ninth);
    return text;
}

const char* RecordListTexts::verdictText(std::uint32_t row) const {
    return verdictListText(verdict(row), language(row));
}

}  // namespace mensora
