#pragma once
// The individuals chart: every record in the order it was made, the newest at the right,
// against the nominal size, the tolerance limits and the control limits mean ± 3 σ within.
// Readings outside the tolerance are drawn as NG. With more records than pixel columns each
// column shows the lowest and highest of its records, read from the value column's blocks.

#include "charts/canvas.h"
#include "charts/chart_inputs.h"

namespace mensora {

void drawRunChart(Canvas& canvas, const Rect& area, const ChartInputs& inputs);

}  // namespace mensora
