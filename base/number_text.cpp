#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace mensora {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool startsWithDigit(std::string_view text) {
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

template <typename Int>
std::optional<Int> parseInteger(std::string_view text) {
    Int value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string formatFloat(float value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string formatUnsigned(std::uint32_t value) { return std::to_string(value); }

std::string formatSigned(std::int32_t value) { return std::to_string(value); }

std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "—";
    std::string text(buffer, result.ptr);
    // A small negative figure that rounds to nothing shows as nothing, not as "-0.00".
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::optional<double> parseDouble(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<float> parseFloat(std::string_view text) {
    const std::optional<double> value = parseDouble(text);
    // A number beyond the range of the field's float is not a number the field can hold.
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<std::uint32_t> parseUnsigned(std::string_view text) {
    // Digits only: a sign of either kind is not a count or a period.
    text = trimBlanks(text);
    if (!startsWithDigit(text)) return std::nullopt;
    return parseInteger<std::uint32_t>(text);
}

std::optional<std::int32_t> parseSigned(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        // "+-1" is not a number: only digits may follow the plus sign.
        if (!startsWithDigit(text)) return std::nullopt;
    }
    return parseInteger<std::int32_t>(text);
}

}  // namespace mensora
