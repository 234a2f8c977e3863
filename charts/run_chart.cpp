#include "charts/run_chart.h"

#include <string>
#include <vector>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/control_limits.h"
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
    if (const std::optional<ControlLimits> control = inputs.data.capability().controlLimits()) {
        lines.push_back({control->upper,
                         namedValue(chart_texts::kUpperControl, control->upper, decimals + 1),
                         kControl, Stroke::Dashed});
        lines.push_back({control->centre,
                         namedValue(chart_texts::kMean, control->centre, decimals + 1), kMean,
                         Stroke::Dashed});
        lines.push_back({control->lower,
                         namedValue(chart_texts::kLowerControl, control->lower, decimals + 1),
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
