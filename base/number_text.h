#pragma once
// Numbers to and from the window's fields, independent of the user's locale: a comma-decimal
// locale must never turn "2.5" into "2,5" or fail to read it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mensora {

// "%.*g" with precision 6, as the fields show floats (2.3333333 -> "2.33333").
std::string formatFloat(float value);
std::string formatUnsigned(std::uint32_t value);
std::string formatSigned(std::int32_t value);
// `value` with exactly `decimals` places, correctly rounded; never "-0.00". A figure too
// large for the field shows "—".
std::string fixedText(double value, int decimals);

// Leading and trailing blanks and tabs are allowed around the number; anything else fails.
std::optional<float> parseFloat(std::string_view text);
// The same to a double's precision, for figures that are not a field's float.
std::optional<double> parseDouble(std::string_view text);
std::optional<std::uint32_t> parseUnsigned(std::string_view text);
std::optional<std::int32_t> parseSigned(std::string_view text);

}  // namespace mensora
