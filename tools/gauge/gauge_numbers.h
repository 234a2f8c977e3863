#pragma once
// Numbers typed on the gauge's command line, in its script files and on its console. They are
// read the same way under every locale: "12.345" is never "12,345".

#include <cstdint>
#include <optional>
#include <string_view>

namespace mensora::gauge {

// A finite decimal number such as "12.345", "-0.5" or "+3"; the whole text must be the number.
std::optional<double> parseDecimal(std::string_view text);

// A whole number from 0 up, written in digits only.
std::optional<std::uint32_t> parseCount(std::string_view text);

}  // namespace mensora::gauge
