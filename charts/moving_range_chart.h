#pragma once
// The moving-range chart under the run chart (together the individuals and moving-range
// pair): the difference between each record and the one before it, against its average MR̄
// (the one the within sigma is made of) and its upper control limit 3.267 MR̄. A range on or
// above that limit is drawn as NG: the process jumped between two parts.

#include "charts/canvas.h"
#include "charts/chart_inputs.h"
#include "charts/record_plot.h"

namespace mensora {

// D4 for ranges of two consecutive records: the moving ranges' upper control limit is this
// many times their average.
inline constexpr double kMovingRangeD4 = 3.267;

RecordSeries movingRangeSeries(const ChartInputs& inputs);

}  // namespace mensora
