#pragma once
// The two charts together as a window shows them, and the picture that is saved: the same
// charts under a heading with the capability figures.

#include "charts/canvas.h"
#include "charts/chart_inputs.h"

namespace mensora {

// The run chart above the histogram.
void drawCharts(Canvas& canvas, const Rect& area, const ChartInputs& inputs);

// The height of the heading that drawPicture puts above the charts.
int pictureHeadingHeight(Canvas& canvas);

// The heading (title, the part and lot in force, every figure with its name), then the
// charts below it.
void drawPicture(Canvas& canvas, const Rect& area, const ChartInputs& inputs);

}  // namespace mensora
