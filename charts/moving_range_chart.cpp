#include "charts/moving_range_chart.h"

#include <cmath>
#include <limits>
#include <vector>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/control_limits.h"
#include "charts/figure_text.h"

namespace mensora {

RecordSeries movingRangeSeries(const ChartInputs& inputs) {
    using namespace chart_style;
    const ChartData& data = inputs.data;
    const int decimals = readingDecimals(data) + 1;
    ValueRange range = ValueRange::around(0.0);
    std::vector<ReferenceLine> lines;
    double upper = std::numeric_limits<double>::infinity();
    if (const std::optional<ControlLimits> control = data.capability().controlLimits()) {
        upper = control->rangeUpper;
        lines.push_back({upper, namedValue(chart_texts::kUpperControl, upper, decimals), kControl,
                         Stroke::Dashed});
        lines.push_back({control->rangeCentre,
                         namedValue(chart_texts::kMovingRangeMean, control->rangeCentre, decimals),
                         kMean, Stroke::Dashed});
        range.include(upper);
        const ValueColumn& ranges = data.movingRanges();
        range.include(ranges.extremes(0, ranges.size()).maximum);
    } else {
        // Nothing to scale by yet: one step of the readings.
        range.include(std::pow(10.0, -readingDecimals(data)));
    }
    return {pick(chart_texts::kMovingRangeTitle, inputs.language),
            pick(chart_texts::kNoRanges, inputs.language),
            data.movingRanges(),
            1,
            {-std::numeric_limits<double>::infinity(), upper},
            std::move(lines),
            range.padded(0.06),
            true};
}

}  // namespace mensora
