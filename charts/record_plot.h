#pragma once
// What the run chart and the moving-range chart share: one value per record in the order the
// records were made, spread over the plot's width with the newest at the right, against
// reference lines named beside the plot. With more values than pixel columns each column
// shows the lowest and highest of its stretch, read from the value column's blocks. No mark
// sits on the plot's frame.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "charts/axis_scale.h"
#include "charts/canvas.h"
#include "charts/control_limits.h"
#include "charts/value_column.h"

namespace mensora {

struct ReferenceLine {
    double value;
    std::string label;
    Colour colour;
    Stroke stroke;
};

// A value strictly between `low` and `high` is drawn in the OK colour (or amber, a reading of
// the warning zone); one on or beyond either in the NG colour.
struct GoodBand {
    double low;
    double high;
};

// How control limits are drawn: dashed while they follow every record, solid in a colour of
// their own while they are fixed.
struct ControlStrokes {
    Colour limits;
    Stroke stroke;
};
ControlStrokes controlStrokes(const ControlLimits& limits);

struct RecordSeries {
    std::string title;
    std::string_view noValues;  // written in the middle while there is nothing to draw
    const ValueColumn& values;
    // Records that come before the first value (a moving range belongs to the second record
    // of its pair), so that a record stands at the same place in every chart.
    std::uint32_t leading;
    GoodBand band;
    std::vector<ReferenceLine> lines;
    ValueRange range;
    bool noNegativeTicks;  // ranges are never below zero, nor is their axis
    // The values (from 0) a run rule fired at, in order: each gets a ring round its mark.
    std::span<const std::uint32_t> ruleMarks;
    // The values (from 0) that were readings in the warning zone, in order: each inside the
    // band is drawn in amber.
    std::span<const std::uint32_t> warningMarks;
};

// What the axis texts left of the plot and the line labels right of it take of the width.
struct PlotMargins {
    int left;
    int right;
};
PlotMargins plotMargins(Canvas& canvas, const Rect& area, const RecordSeries& series);
PlotMargins widest(PlotMargins a, PlotMargins b);

// The plot with at least the `least` margins, so that plots stacked one above the other can
// share their pixel columns and show a record at the same place in each.
void drawRecordPlot(Canvas& canvas, const Rect& area, const RecordSeries& series,
                    PlotMargins least = {0, 0});

}  // namespace mensora
