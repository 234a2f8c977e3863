#include "charts/moving_range_chart.h"

#include <cmath>
#include <limits>
#include <vector>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/control_headings.h"
#include "charts/control_limits.h"
#include "charts/figure_text.h"

namespace mensora {

RecordSeries movingRangeSeries(const ChartInputs& inputs) {
    using namespace chart_style;
    const ChartData& data = inputs.data;
    const ControlChart& control = data.control();
    const bool subgroups = control.subgroups().subgroupSize() > 1;
    const int decimals = readingDecimals(data) + 1;
    constexpr double kNone = std::numeric_limits<double>::infinity();
    ValueRange range = ValueRange::around(0.0);
    std::vector<ReferenceLine> lines;
    GoodBand band{-kNone, kNone};
    const ValueColumn& ranges = control.subgroups().ranges();
    if (const std::optional<ControlLimits> limits = control.limits()) {
        const ControlStrokes strokes = controlStrokes(*limits);
        band.high = limits->rangeUpper;
        lines.push_back({limits->rangeUpper,
                         namedValue(chart_texts::kUpperControl, limits->rangeUpper, decimals),
                         strokes.limits, strokes.stroke});
        lines.push_back(
            {limits->rangeCentre,
             namedValue(subgroups ? chart_texts::kRangeMean : chart_texts::kMovingRangeMean,
                        limits->rangeCentre, decimals),
             kMean, strokes.stroke});
        // Only subgroups of seven or more have a lower limit above zero.
        if (limits->rangeLower > 0.0) {
            band.low = limits->rangeLower;
            lines.push_back({limits->rangeLower,
                             namedValue(chart_texts::kLowerControl, limits->rangeLower, decimals),
                             strokes.limits, strokes.stroke});
        }
        range.include(limits->rangeUpper);
        if (ranges.size() > 0) range.include(ranges.extremes(0, ranges.size()).maximum);
    } else {
        // Nothing to scale by yet: one step of the readings.
        range.include(std::pow(10.0, -readingDecimals(data)));
    }
    return {rangeChartTitle(data, inputs.language),
            pick(subgroups ? chart_texts::kNoSubgroups : chart_texts::kNoRanges, inputs.language),
            ranges,
            subgroups ? 0u : 1u,
            band,
            std::move(lines),
            range.padded(0.06),
            true,
            control.rangeMarks(),
            {}};
}

}  // namespace mensora
