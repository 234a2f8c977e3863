#pragma once
// What the control charts say about themselves: the value chart's title (for subgroups, their
// size and how far the one being filled is), and which limits are drawn.

#include <string>

#include "base/language.h"
#include "charts/chart_data.h"

namespace mensora {

// "Run chart (individuals)"; for subgroups "Means chart X̄ (n = 5)", with
// " · subgroup 3 of 5 measured" while one is being filled.
std::string valueChartTitle(const ChartData& data, Language language);
// "Range chart R" for subgroups, else the moving-range chart's title.
std::string rangeChartTitle(const ChartData& data, Language language);
// "Limits: from all records", or "Limits: fixed 2026-12-11 09:15:05 from 250 records" while
// fixed limits are drawn.
std::string limitsLine(const ChartData& data, Language language);

}  // namespace mensora
