#include "charts/control_headings.h"

#include "charts/chart_texts.h"

namespace mensora {

std::string valueChartTitle(const ChartData& data, Language language) {
    const RunningSubgroups& subgroups = data.control().subgroups();
    const int size = subgroups.subgroupSize();
    if (size == 1) return pick(chart_texts::kRunChartTitle, language);
    std::string title = std::string(pick(chart_texts::kMeansChartTitle, language)) +
                        " (n = " + std::to_string(size) + ")";
    if (subgroups.filling() > 0) {
        title += std::string(" · ") + pick(chart_texts::kFillingBefore, language) +
                 std::to_string(subgroups.filling()) + pick(chart_texts::kFillingOf, language) +
                 std::to_string(size) + pick(chart_texts::kFillingAfter, language);
    }
    return title;
}

std::string rangeChartTitle(const ChartData& data, Language language) {
    return pick(data.control().subgroups().subgroupSize() == 1 ? chart_texts::kMovingRangeTitle
                                                               : chart_texts::kRangeChartTitle,
                language);
}

std::string limitsLine(const ChartData& data, Language language) {
    const std::optional<ControlLimits> limits = data.control().limits();
    if (!limits || limits->source != LimitsSource::Fixed) {
        return pick(chart_texts::kLimitsFromAll, language);
    }
    const FixedLimits& fixed = data.control().settings().limits.fixed;
    return std::string(pick(chart_texts::kLimitsFixedAt, language)) + fixedTimeText(fixed.fixedAt) +
           pick(chart_texts::kLimitsFixedFrom, language) + std::to_string(fixed.recordCount) +
           pick(chart_texts::kLimitsRecords, language);
}

}  // namespace mensora
