#include "measure/fixed_limits.h"

#include <charconv>

#include "measure/field_format.h"

namespace mensora {

std::string fixedTimeText(const LocalDateTime& time) {
    const TimeStampText stamp = formatTimeStamp(time);
    // The record's stamp "YYYY-MM-DD; hh:mm:ss" without its ";".
    const std::string_view text(stamp.data(), stamp.size());
    return std::string(text.substr(0, 10)) + std::string(text.substr(11));
}

std::optional<LocalDateTime> fixedTimeFromText(std::string_view text) {
    // Digits at these places, the separators between them as fixedTimeText writes them.
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + length, value);
        return value;
    };
    return LocalDateTime{number(0, 4),  number(5, 2),  number(8, 2),
                         number(11, 2), number(14, 2), number(17, 2)};
}

}  // namespace mensora
