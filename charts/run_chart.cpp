#include "charts/run_chart.h"

#include <algorithm>
#include <string>
#include <vector>

#include "charts/axis_scale.h"
#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/figure_text.h"
#include "charts/plot_parts.h"

namespace mensora {
namespace {

using namespace chart_style;

// Fewer records than this are spaced as if there were this many, so that a handful of
// readings do not stretch across the whole width; the newest stays at the right.
constexpr std::uint32_t kLeastSlots = 20;

struct ReferenceLine {
    double value;
    std::string label;
    Colour colour;
    Stroke stroke;
};

std::vector<ReferenceLine> referenceLines(const ChartInputs& inputs) {
    const ToleranceLimits& limits = inputs.limits;
    const int decimals = readingDecimals(inputs.data);
    auto named = [](const char* name, double value, int places) {
        return std::string(name) + " " + fixedText(value, places);
    };
    std::vector<ReferenceLine> lines{
        {limits.upper, named(chart_texts::kUpperLimit, limits.upper, decimals), kNg, Stroke::Solid},
        {limits.nominal, named(pick(chart_texts::kNominal, inputs.language), limits.nominal, decimals),
         kNominal, Stroke::Solid},
        {limits.lower, named(chart_texts::kLowerLimit, limits.lower, decimals), kNg, Stroke::Solid},
    };
    const RunningCapability& capability = inputs.data.capability();
    const std::optional<double> mean = capability.mean();
    const std::optional<double> within = capability.sigmaWithin();
    if (mean && within) {
        const double upper = *mean + 3.0 * *within;
        const double lower = *mean - 3.0 * *within;
        lines.push_back({upper, named(chart_texts::kUpperControl, upper, decimals + 1), kControl,
                         Stroke::Dashed});
        lines.push_back({*mean, named(chart_texts::kMean, *mean, decimals + 1), kMean,
                         Stroke::Dashed});
        lines.push_back({lower, named(chart_texts::kLowerControl, lower, decimals + 1), kControl,
                         Stroke::Dashed});
    }
    return lines;
}

ValueRange valueRange(const ChartInputs& inputs, const std::vector<ReferenceLine>& lines) {
    ValueRange range = ValueRange::around(inputs.limits.nominal);
    for (const ReferenceLine& line : lines) range.include(line.value);
    const RunningCapability& capability = inputs.data.capability();
    if (capability.count() > 0) {
        range.include(*capability.minimum());
        range.include(*capability.maximum());
    }
    return range.padded(0.06);
}

bool isNg(double value, const ToleranceLimits& limits) {
    return judge(value, limits) != Verdict::Ok;
}

// Where the records stand across a plot that has a column for each: spaced evenly over at
// least kLeastSlots places, the newest at the right edge.
AxisScale recordScale(const Rect& plot, std::uint32_t count) {
    const std::uint32_t slots = std::max(count, kLeastSlots);
    const double firstSlot = slots - count;
    return AxisScale({-firstSlot, static_cast<double>(count - 1)}, plot.left, plot.right() - 1);
}

struct Segment {
    Point from;
    Point to;
};

// One pixel column for many records: the stretch from their lowest to their highest, its
// parts beyond the tolerance in the NG colour. The strokes are gathered by colour and drawn
// colour by colour, so that a painter changes its pen twice, not twice a column.
void drawColumns(Canvas& canvas, const Rect& plot, const ValueColumn& values,
                 const AxisScale& y, const ToleranceLimits& limits) {
    const std::uint64_t count = values.size();
    const auto columns = static_cast<std::uint64_t>(plot.width);
    std::vector<Segment> ok;
    std::vector<Segment> ng;
    ok.reserve(columns);
    for (std::uint64_t column = 0; column < columns; ++column) {
        const auto first = static_cast<std::uint32_t>(column * count / columns);
        const auto last = static_cast<std::uint32_t>((column + 1) * count / columns);
        const Extremes extremes = values.extremes(first, last);
        const int x = plot.left + static_cast<int>(column);
        const double low = extremes.minimum;
        const double high = extremes.maximum;
        if (judge(high, limits) == Verdict::OverUpper) {
            ng.push_back({{x, y.pixel(high)}, {x, y.pixel(std::max(low, limits.upper))}});
        }
        if (judge(low, limits) == Verdict::UnderLower) {
            ng.push_back({{x, y.pixel(std::min(high, limits.lower))}, {x, y.pixel(low)}});
        }
        if (low < limits.upper && high > limits.lower) {
            ok.push_back({{x, y.pixel(std::min(high, limits.upper))},
                          {x, y.pixel(std::max(low, limits.lower))}});
        }
    }
    for (const Segment& s : ok) canvas.line(s.from, s.to, kOk, Stroke::Solid);
    for (const Segment& s : ng) canvas.line(s.from, s.to, kNg, Stroke::Solid);
}

void drawPoints(Canvas& canvas, const Rect& plot, const ValueColumn& values, const AxisScale& y,
                const ToleranceLimits& limits) {
    const std::uint32_t count = values.size();
    const AxisScale x = recordScale(plot, count);
    const std::span<const float> readings = values.values();
    std::vector<Point> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) points.push_back({x.pixel(i), y.pixel(readings[i])});
    if (points.size() > 1) canvas.polyline(points, kTrace);
    // Marks as large as the spacing between them allows, at least one pixel.
    const int spacing = plot.width / static_cast<int>(std::max(count, kLeastSlots));
    const int half = spacing >= 6 ? 2 : (spacing >= 2 ? 1 : 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        const Point at = points[i];
        canvas.fillRect({at.x - half, at.y - half, 2 * half + 1, 2 * half + 1},
                        isNg(readings[i], limits) ? kNg : kOk);
    }
}

}  // namespace

void drawRunChart(Canvas& canvas, const Rect& area, const ChartInputs& inputs) {
    const int textHeight =
        drawTitle(canvas, area, pick(chart_texts::kRunChartTitle, inputs.language));
    const std::vector<ReferenceLine> lines = referenceLines(inputs);
    const ValueRange range = valueRange(inputs, lines);

    const int top = area.top + textHeight + 2 * kPadding;
    const int bottom = area.bottom() - textHeight - kTickLength - kPadding;
    const Ticks ticks = niceTicks(range, std::max(2, (bottom - top) / (2 * textHeight)), false);
    int rightMargin = 0;
    for (const ReferenceLine& line : lines) {
        rightMargin = std::max(rightMargin, canvas.measure(line.label).width);
    }
    const int left = area.left + kPadding + widestText(canvas, tickTexts(ticks)) + kTickLength + 2;
    const int right = area.right() - kPadding - rightMargin - kPadding;
    const Rect plot{left, top, std::max(1, right - left), std::max(1, bottom - top)};
    const AxisScale y(range, plot.bottom() - 1, plot.top);

    drawVerticalAxis(canvas, plot, y, ticks);
    std::vector<LineLabel> labels;
    for (const ReferenceLine& line : lines) {
        const int at = y.pixel(line.value);
        canvas.line({plot.left, at}, {plot.right() - 1, at}, line.colour, line.stroke);
        labels.push_back({at, line.label, line.colour});
    }
    spreadLabels(labels, textHeight, area.top, area.bottom());
    for (const LineLabel& label : labels) {
        canvas.text({plot.right() + kPadding, label.position}, label.text, label.colour,
                    HorizontalAnchor::Left, VerticalAnchor::Middle);
    }

    const ValueColumn& values = inputs.data.values();
    const std::uint32_t count = values.size();
    if (count == 0) {
        canvas.text({plot.left + plot.width / 2, plot.top + plot.height / 2},
                    pick(chart_texts::kNoRecords, inputs.language), kText,
                    HorizontalAnchor::Centre, VerticalAnchor::Middle);
    } else if (count > static_cast<std::uint32_t>(plot.width)) {
        drawColumns(canvas, plot, values, y, inputs.limits);
    } else {
        drawPoints(canvas, plot, values, y, inputs.limits);
    }
    canvas.frameRect(plot, kFrame);

    // The first and the newest record's numbers under their places on the axis.
    if (count > 0) {
        const int below = plot.bottom() + kTickLength;
        canvas.text({plot.right() - 1, below}, std::to_string(count), kText,
                    HorizontalAnchor::Right, VerticalAnchor::Top);
        const int first =
            count > static_cast<std::uint32_t>(plot.width) ? plot.left : recordScale(plot, count).pixel(0);
        const int room = canvas.measure(std::to_string(count)).width + 2 * kPadding;
        if (plot.right() - first > room) {
            canvas.text({first, below}, "1", kText, HorizontalAnchor::Centre, VerticalAnchor::Top);
        }
    }
}

}  // namespace mensora
