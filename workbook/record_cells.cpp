#include "workbook/record_cells.h"

#include <charconv>

#include "measure/field_format.h"
#include "measure/record_store.h"

namespace mensora {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The whole text as digits; nothing for anything else.
std::optional<int> digits(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<FieldNumber> fieldNumber(std::string_view field) {
    std::string_view text = trimmed(field);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    const auto point = text.find('.');
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return FieldNumber{value, decimals};
}

std::optional<LocalDateTime> stampTime(std::string_view stamp) {
    if (stamp.size() != sizeof(TimeStampText) || stamp[4] != '-' || stamp[7] != '-' ||
        stamp.substr(10, 2) != "; " || stamp[14] != ':' || stamp[17] != ':') {
        return std::nullopt;
    }
    const auto year = digits(stamp.substr(0, 4));
    const auto month = digits(stamp.substr(5, 2));
    const auto day = digits(stamp.substr(8, 2));
    const auto hour = digits(stamp.substr(12, 2));
    const auto minute = digits(stamp.substr(15, 2));
    const auto second = digits(stamp.substr(18, 2));
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    // Excel counts days from 1900 and knows no month 0 or hour 24.
    if (*year < 1900 || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 ||
        *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return LocalDateTime{*year, *month, *day, *hour, *minute, *second};
}

bool recordOk(const RecordStore& store, std::uint32_t index) {
    const std::string_view result = store.resultField(index);
    // The verdict was stored in the language of its day; either language's OK counts.
    return result ==
               std::string_view(verdictRecordText(Verdict::Ok, Language::Chinese).data(), 4) ||
           result == std::string_view(verdictRecordText(Verdict::Ok, Language::English).data(), 4);
}

RecordCells recordCells(const RecordStore& store, std::uint32_t index) {
    return {fieldNumber(store.valueField(index)), fieldNumber(store.errorField(index)),
            recordOk(store, index), stampTime(store.timeField(index))};
}

}  // namespace mensora
