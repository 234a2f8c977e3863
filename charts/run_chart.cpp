#include "charts/run_chart.h"

#include <string>
#include <vector>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/figure_text.h"

namespace mensora {
namespace {

using namespace chart_style;

std::vector<ReferenceLine> referenceLines(const ChartInputs& inputs) {
    const ToleranceLimits& limits = inputs.limits;
    const int decimals = readingDecimals(inputs.data);
    std::vector<ReferenceLine> lines{
        {limits.upper, namedValue(chart_texts::kUpperLimit, limits.upper, decimals), kNg,
         Stroke::Solid},
        {limits.nominal,
         namedValue(pick(chart_texts::kNominal, inputs.language), limits.nominal, decimals),
         kNominal, Stroke::Solid},
        {limits.lower, namedValue(chart_texts::kLowerLimit, limits.lower, decimals), kNg,
         Stroke::Solid},
    };
    const RunningCapability& capability = inputs.data.capability();
    const std::optional<double> mean = capability.mean();
    const std::optional<double> within = capability.sigmaWithin();
    if (mean && within) {
        const double upper = *mean + 3.0 * *within;
        const double lower = *mean - 3.0 * *within;
        lines.push_back({upper, namedValue(chart_texts::kUpperControl, upper, decimals + 1),
                         kControl, Stroke::Dashed});
        lines.push_back(
            {*mean, namedValue(chart_texts::kMean, *mean, decimals + 1), kMean, Stroke::Dashed});
        lines.push_back({lower, namedValue(chart_texts::kLowerControl, lower, decimals + 1),
                         kControl, Stroke::Dashed});
    }
    return lines;
}

ValueRange valueRange(const ChartInputs& inputs, const std::vector<ReferenceLine>& lines) {
    ValueRange range = ValueRange::around(inputs.limits.nominal);
    for (const ReferenceLine& line : lines) range.include(line.value);
    const RunningCapability& capability = inputs.data.capability();
    if (capability.count() > 0) {
        range.include(*capability.minimum());
        range.include(*capability.maximum());
    }
    return range.padded(0.06);
}

}  // namespace

RecordSeries runChartSeries(const ChartInputs& inputs) {
    std::vector<ReferenceLine> lines = referenceLines(inputs);
    const ValueRange range = valueRange(inputs, lines);
    return {pick(chart_texts::kRunChartTitle, inputs.language),
            pick(chart_texts::kNoRecords, inputs.language),
            inputs.data.values(),
            0,
            {inputs.limits.lower, inputs.limits.upper},
            std::move(lines),
            range,
            false};
}

}  // namespace mensora
