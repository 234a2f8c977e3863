#include "charts/charts_picture.h"

#include <string>

#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/control_headings.h"
#include "charts/figure_text.h"
#include "charts/histogram.h"
#include "charts/moving_range_chart.h"
#include "charts/run_chart.h"
#include "measure/trace_fields.h"

namespace mensora {
namespace {

using namespace chart_style;

constexpr int kFiguresPerRow = 4;
// The title, the part and lot, three rows of figures (the warnings alone on the third), limits.
constexpr int kHeadingLines = 6;

// The run chart and the moving-range chart under it take these shares of the height; the
// histogram the rest.
constexpr int kRunChartPercent = 40;
constexpr int kMovingRangePercent = 25;

}  // namespace

void drawCharts(Canvas& canvas, const Rect& area, const ChartInputs& inputs) {
    const int runHeight = area.height * kRunChartPercent / 100;
    const int rangeHeight = area.height * kMovingRangePercent / 100;
    // The two record charts share their columns: a record stands above its moving range.
    const Rect runArea{area.left, area.top, area.width, runHeight};
    const Rect rangeArea{area.left, area.top + runHeight, area.width, rangeHeight};
    const RecordSeries runs = runChartSeries(inputs);
    const RecordSeries ranges = movingRangeSeries(inputs);
    const PlotMargins margins =
        widest(plotMargins(canvas, runArea, runs), plotMargins(canvas, rangeArea, ranges));
    drawRecordPlot(canvas, runArea, runs, margins);
    drawRecordPlot(canvas, rangeArea, ranges, margins);
    const int below = runHeight + rangeHeight;
    drawHistogram(canvas, {area.left, area.top + below, area.width, area.height - below}, inputs);
}

int pictureHeadingHeight(Canvas& canvas) {
    return kHeadingLines * (canvas.measure("Ag").height + kPadding) + kPadding;
}

void drawPicture(Canvas& canvas, const Rect& area, const ChartInputs& inputs) {
    const int heading = pictureHeadingHeight(canvas);
    canvas.fillRect({area.left, area.top, area.width, heading}, kBackground);
    const int line = canvas.measure("Ag").height + kPadding;
    canvas.text(
        {area.left + kPadding, area.top + kPadding},
        std::string(pick(chart_texts::kWindowTitle, inputs.language)) + " · " + texts::kWindowTitle,
        kText, HorizontalAnchor::Left, VerticalAnchor::Top);
    canvas.text({area.left + kPadding, area.top + kPadding + line},
                traceLine(inputs.trace, inputs.language), kText, HorizontalAnchor::Left,
                VerticalAnchor::Top);

    const ChartData& data = inputs.data;
    const auto values = figureTexts(data.figures(inputs.limits), data.decimalPlaces());
    const int cell = (area.width - 2 * kPadding) / kFiguresPerRow;
    const auto figure = [&](std::size_t place, const FigureRow& figureRow,
                            const std::string& value) {
        const int column = static_cast<int>(place) % kFiguresPerRow;
        const int row = 2 + static_cast<int>(place) / kFiguresPerRow;
        canvas.text({area.left + kPadding + column * cell, area.top + kPadding + row * line},
                    std::string(pick(figureRow.label, inputs.language)) + "  " + value, kText,
                    HorizontalAnchor::Left, VerticalAnchor::Top);
    };
    for (std::size_t i = 0; i < kFigureRows.size(); ++i) figure(i, kFigureRows[i], values[i]);
    figure(kFigureRows.size(), kWarningsRow, std::to_string(data.warnings().size()));
    canvas.text({area.left + kPadding, area.top + kPadding + 5 * line},
                limitsLine(data, inputs.language), kText, HorizontalAnchor::Left,
                VerticalAnchor::Top);
    drawCharts(canvas, {area.left, area.top + heading, area.width, area.height - heading}, inputs);
}

}  // namespace mensora
