#pragma once
// The individuals chart: every record in the order it was made, spread over the chart's
// width with the newest at the right, against the nominal size, the tolerance limits and the
// control limits mean ± 3 σ within. Readings outside the tolerance are drawn as NG.

#include "charts/canvas.h"
#include "charts/chart_inputs.h"
#include "charts/record_plot.h"

namespace mensora {

RecordSeries runChartSeries(const ChartInputs& inputs);

}  // namespace mensora
