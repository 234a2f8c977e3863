#pragma once
// The capability figures as the charts window shows them: each its number alone, the same in
// every locale, or "—" while it is undefined.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "base/texts.h"
#include "charts/running_capability.h"

namespace mensora {

// A reference line's label: its name, a blank and its value ("USL 12.365").
std::string namedValue(std::string_view name, double value, int decimals);

inline constexpr std::size_t kFigureCount = 8;

struct FigureRow {
    const char* objectName;  // of the label that shows the number
    Bilingual label;
};

// Records, mean, overall and within sigma, Cp, Cpk, Pp, Ppk.
inline constexpr std::array<FigureRow, kFigureCount> kFigureRows{{
    {"charts-n", {"记录数 n", "Records n"}},
    {"charts-mean", {"平均值 x̄", "Mean x̄"}},
    {"charts-sigma", {"总体 σ", "σ overall"}},
    {"charts-sigma-within", {"组内 σ", "σ within"}},
    {"charts-cp", {"Cp", "Cp"}},
    {"charts-cpk", {"Cpk", "Cpk"}},
    {"charts-pp", {"Pp", "Pp"}},
    {"charts-ppk", {"Ppk", "Ppk"}},
}};

// After them, on a row of its own: how many of the readings lay in the warning zone.
inline constexpr FigureRow kWarningsRow{"charts-warnings", {"预警 k", "Warnings k"}};

// The figures in the order of kFigureRows. The mean and the spreads take one decimal more than the readings had, the indices two.
std::array<std::string, kFigureCount> figureTexts(const CapabilityFigures& figures,
                                                  std::uint8_t readingDecimals);

}  // namespace mensora
