#pragma once
// The moving-range chart under the run chart (together the individuals and moving-range
// pair): the difference between each record and the one before it, against its average MR̄
// (the one the within sigma is made of) and its upper control limit D4·MR̄ = 3.267 MR̄. A range
// on or above that limit is drawn as NG: the process jumped between two parts.

#include "charts/canvas.h"
#include "charts/chart_inputs.h"
#include "charts/record_plot.h"

namespace mensora {

RecordSeries movingRangeSeries(const ChartInputs& inputs);

}  // namespace mensora
