#include "measure/record_list_texts.h"

#include <algorithm>

#include "measure/field_format.h"
#include "measure/record_store.h"

namespace mensora {
namespace {

// The longest prefix of `text` of at most `limit` bytes that does not end inside a UTF-8
// character.
std::size_t wholeCharacterPrefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t length = limit;
    const auto continues = [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    };
    while (length > 0 && continues(text[length])) --length;
    return length;
}

}  // namespace

RecordListTexts::RecordListTexts() : rows_(new Row[kRecordCapacity]()) {}

void RecordListTexts::set(std::uint32_t row, std::string_view valueText, Verdict verdict,
                          std::int32_t language) {
    if (row >= kRecordCapacity) return;
    Row& entry = rows_[row];
    const std::size_t length = wholeCharacterPrefix(valueText, kValueTextWidth);
    std::copy_n(valueText.begin(), length, entry.value.begin());
    entry.valueLength = static_cast<std::uint8_t>(length);
    entry.verdict = verdict;
    entry.english = isEnglish(language);
}

std::string_view RecordListTexts::valueText(std::uint32_t row) const {
    const Row& entry = rows_[row];
    return {entry.value.data(), entry.valueLength};
}

const char* RecordListTexts::verdictText(std::uint32_t row) const {
    const Row& entry = rows_[row];
    // Back to the stored language values: 2 English, 1 Chinese.
    return verdictListText(entry.verdict, entry.english ? 2 : 1);
}

}  // namespace mensora
