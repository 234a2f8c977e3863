#include "charts/run_chart.h"

#include <string>
#include <vector>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/control_headings.h"
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
    if (const std::optional<ControlLimits> control = inputs.data.control().limits()) {
        const ControlStrokes strokes = controlStrokes(*control);
        const char* centre =
            control->subgroupSize == 1 ? chart_texts::kMean : chart_texts::kGrandMean;
        lines.push_back({control->upper,
                         namedValue(chart_texts::kUpperControl, control->upper, decimals + 1),
                         strokes.limits, strokes.stroke});
        lines.push_back({control->centre, namedValue(centre, control->centre, decimals + 1), kMean,
                         strokes.stroke});
        lines.push_back({control->lower,
                         namedValue(chart_texts::kLowerControl, control->lower, decimals + 1),
                         strokes.limits, strokes.stroke});
    }
    return lines;
}

ValueRange valueRange(const ChartInputs& inputs, const std::vector<ReferenceLine>& lines) {
    ValueRange range = ValueRange::around(inputs.limits.nominal);
    for (const ReferenceLine& line : lines) range.include(line.value);
    const ValueColumn& points = inputs.data.control().subgroups().means();
    if (points.size() > 0) {
        const Extremes extremes = points.extremes(0, points.size());
        range.include(extremes.minimum);
        range.include(extremes.maximum);
    }
    return range.padded(0.06);
}

}  // namespace

RecordSeries runChartSeries(const ChartInputs& inputs) {
    std::vector<ReferenceLine> lines = referenceLines(inputs);
    const ValueRange range = valueRange(inputs, lines);
    const ControlChart& control = inputs.data.control();
    const bool subgroups = control.subgroups().subgroupSize() > 1;
    return {valueChartTitle(inputs.data, inputs.language),
            pick(subgroups ? chart_texts::kNoSubgroups : chart_texts::kNoRecords, inputs.language),
            control.subgroups().means(),
            0,
            {inputs.limits.lower, inputs.limits.upper},
            std::move(lines),
            range,
            false,
            control.valueMarks(),
            // A subgroup's point is its mean, no reading of its own.
            subgroups ? std::span<const std::uint32_t>() : inputs.data.warnings()};
}

}  // namespace mensora
