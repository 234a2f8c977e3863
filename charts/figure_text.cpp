#include "charts/figure_text.h"

#include "charts/chart_texts.h"

namespace mensora {
namespace {

constexpr int kIndexDecimals = 2;

std::string optionalText(const std::optional<double>& value, int decimals) {
    return value ? fixedText(*value, decimals) : std::string(chart_texts::kUndefined);
}

}  // namespace

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
