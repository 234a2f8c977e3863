#include "workbook/workbook_contents.h"

#include <utility>

#include "base/control_table.h"
#include "base/number_text.h"
#include "charts/chart_data.h"
#include "charts/chart_inputs.h"
#include "measure/record_store.h"

namespace mensora {

RecordTraceColumns recordTraceColumns(const RecordTraces& traces, std::uint32_t count) {
    RecordTraceColumns columns{traces.combinations(), std::vector<std::uint16_t>(count, 0)};
    for (std::uint32_t i = 0; i < count; ++i) columns.combinationOfRecord[i] = traces.indexOf(i);
    return columns;
}

WorkbookContents workbookContents(const AcquisitionState& state, const RecordStore& store,
                                  const ChartData& chartData, RecordTraceColumns traces,
                                  const TraceValues& inForce, WorkbookPlanParts planParts,
                                  const RecordListTexts* marks) {
    const Parameters& parameters = state.parameters;
    const StatisticsFigures& shown = state.statistics.shown;
    const ToleranceLimits limits = toleranceLimits(parameters);
    const int decimals = readingDecimals(chartData);
    const std::uint32_t count = store.count();
    WorkbookSummary summary{
        formatFloat(parameters.nominal),
        formatFloat(parameters.upperTolerance),
        formatFloat(parameters.lowerTolerance),
        fixedText(limits.upper, decimals),
        fixedText(limits.lower, decimals),
        recordUnitName(parameters.unitIndex),
        formatUnsigned(shown.count),
        formatUnsigned(shown.okCount),
        formatUnsigned(shown.overUpperCount),
        formatUnsigned(shown.underLowerCount),
        formatFloat(shown.average),
        formatFloat(shown.maximum),
        formatFloat(shown.minimum),
        figureTexts(chartData.figures(limits), chartData.decimalPlaces()),
        inForce,
    };
    const auto values = chartData.values().values();
    return WorkbookContents{store,
                            count,
                            state.language(),
                            limits,
                            std::move(summary),
                            std::move(traces),
                            values.first(std::min<std::size_t>(values.size(), count)),
                            chartData.capability(),
                            decimals,
                            std::move(planParts),
                            marks};
}

}  // namespace mensora
