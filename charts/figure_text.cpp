#include "charts/figure_text.h"

#include <charconv>

#include "charts/chart_texts.h"

namespace mensora {
namespace {

constexpr int kIndexDecimals = 2;

std::string optionalText(const std::optional<double>& value, int decimals) {
    return value ? fixedText(*value, decimals) : std::string(chart_texts::kUndefined);
}

}  // namespace

std::string fixedText(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return std::string(chart_texts::kUndefined);
    std::string text(buffer, result.ptr);
    // A small negative figure that rounds to nothing shows as nothing, not as "-0.00".
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string namedValue(std::string_view name, double value, int decimals) {
    return std::string(name) + " " + fixedText(value, decimals);
}

std::array<std::string, kFigureCount> figureTexts(const CapabilityFigures& figures,
                                                  std::uint8_t readingDecimals) {
    const int spreadDecimals = readingDecimals + 1;
    return {
        std::to_string(figures.count),
        optionalText(figures.mean, spreadDecimals),
        optionalText(figures.sigma, spreadDecimals),
        optionalText(figures.sigmaWithin, spreadDecimals),
        optionalText(figures.cp, kIndexDecimals),
        optionalText(figures.cpk, kIndexDecimals),
        optionalText(figures.pp, kIndexDecimals),
        optionalText(figures.ppk, kIndexDecimals),
    };
}

}  // namespace mensora
