#include "charts/record_plot.h"

#include <algorithm>

#include "charts/chart_style.h"
#include "charts/plot_parts.h"

namespace mensora {
namespace {

using namespace chart_style;

bool isGood(double value, const GoodBand& band) { return value > band.low && value < band.high; }

// An NG reading's mark reaches this far from its centre: a quarter of a line of the chart's
// text, which grows with the screen's scale, so that it is seen at a glance at any scale and
// in a picture shown smaller than the window.
int ngMarkHalf(int textHeight) { return std::max(3, textHeight / 4); }

// Marks and the trace stay this many pixels inside the frame, so that none is hidden by it.
int inset(int textHeight) { return ngMarkHalf(textHeight) + 3; }

// The ring round a mark a run rule fired at reaches this far past the largest mark.
constexpr int kRingGap = 2;

// A filled square in the NG colour inside a pixel of the background, so that it stands out of
// the trace and of the OK marks beside it.
void drawNgMark(Canvas& canvas, Point at, int half) {
    canvas.fillRect({at.x - half - 1, at.y - half - 1, 2 * half + 3, 2 * half + 3}, kBackground);
    canvas.fillRect({at.x - half, at.y - half, 2 * half + 1, 2 * half + 1}, kNg);
}

// A reading of the warning zone: a filled square as large as an NG mark, in amber, so that it
// is seen among the OK marks and told apart from the NG ones.
void drawWarningMark(Canvas& canvas, Point at, int half) {
    canvas.fillRect({at.x - half - 1, at.y - half - 1, 2 * half + 3, 2 * half + 3}, kBackground);
    canvas.fillRect({at.x - half, at.y - half, 2 * half + 1, 2 * half + 1}, kWarning);
}

// The pixel column whose stretch [column·count/columns, (column+1)·count/columns) holds value
// `mark`.
std::uint64_t columnOf(std::uint32_t mark, std::uint64_t count, std::uint64_t columns) {
    return ((mark + 1) * columns - 1) / count;
}

// Round the mark at `at`, OK or NG, clear of both.
void drawRing(Canvas& canvas, Point at, int textHeight) {
    const int reach = ngMarkHalf(textHeight) + kRingGap;
    canvas.frameRect({at.x - reach, at.y - reach, 2 * reach + 1, 2 * reach + 1}, kRuleMark);
}

// Where records stand across the plot: spread over its width inside the inset, the first at
// the left and the newest at the right; a single one in the middle.
AxisScale recordScale(const Rect& plot, std::uint32_t records, int textHeight) {
    const int from = plot.left + inset(textHeight);
    const int to = plot.right() - 1 - inset(textHeight);
    if (records < 2) return AxisScale({-1.0, 1.0}, from, to);
    return AxisScale({0.0, static_cast<double>(records - 1)}, from, to);
}

struct Segment {
    Point from;
    Point to;
};

// One pixel column for many values: the stretch from their lowest to their highest, its
// parts beyond the band in the NG colour, an amber mark at the first reading of the warning
// zone a column holds, and an NG mark at the farthest reading of a column that holds one, all
// kept inside the frame. The strokes are gathered by colour and drawn colour by colour, so that
// a painter changes its pen twice, not twice a column.
void drawColumns(Canvas& canvas, const Rect& plot, const RecordSeries& series, const AxisScale& y,
                 int textHeight) {
    const ValueColumn& values = series.values;
    const GoodBand& band = series.band;
    const std::uint64_t count = values.size();
    const auto columns = static_cast<std::uint64_t>(plot.width);
    std::vector<Segment> ok;
    std::vector<Segment> ng;
    std::vector<Point> marks;
    ok.reserve(columns);
    const int half = ngMarkHalf(textHeight);
    const int leftmost = plot.left + inset(textHeight);
    const int rightmost = std::max(leftmost, plot.right() - 1 - inset(textHeight));
    const auto markAt = [&](int x, double value) {
        marks.push_back({std::clamp(x, leftmost, rightmost), y.pixel(value)});
    };
    for (std::uint64_t column = 0; column < columns; ++column) {
        const auto first = static_cast<std::uint32_t>(column * count / columns);
        const auto last = static_cast<std::uint32_t>((column + 1) * count / columns);
        const Extremes extremes = values.extremes(first, last);
        const int x = plot.left + static_cast<int>(column);
        const double low = extremes.minimum;
        const double high = extremes.maximum;
        if (high >= band.high) {
            ng.push_back({{x, y.pixel(high)}, {x, y.pixel(std::max(low, band.high))}});
            markAt(x, high);
        }
        if (low <= band.low) {
            ng.push_back({{x, y.pixel(std::min(high, band.low))}, {x, y.pixel(low)}});
            markAt(x, low);
        }
        if (low < band.high && high > band.low) {
            ok.push_back(
                {{x, y.pixel(std::min(high, band.high))}, {x, y.pixel(std::max(low, band.low))}});
        }
    }
    for (const Segment& s : ok) canvas.line(s.from, s.to, kOk, Stroke::Solid);
    for (const Segment& s : ng) canvas.line(s.from, s.to, kNg, Stroke::Solid);
    std::uint64_t warned = columns;  // none yet
    for (const std::uint32_t mark : series.warningMarks) {
        const double value = values.values()[mark];
        const std::uint64_t column = columnOf(mark, count, columns);
        if (column == warned || !isGood(value, band)) continue;
        warned = column;
        drawWarningMark(
            canvas,
            {std::clamp(plot.left + static_cast<int>(column), leftmost, rightmost), y.pixel(value)},
            half);
    }
    for (const Point& at : marks) drawNgMark(canvas, at, half);
}

// A ring on the column of each value a rule fired at, round that value; one a column.
void drawColumnRings(Canvas& canvas, const Rect& plot, const RecordSeries& series,
                     const AxisScale& y, int textHeight) {
    const std::uint64_t count = series.values.size();
    const auto columns = static_cast<std::uint64_t>(plot.width);
    std::uint64_t ringed = columns;  // none yet
    for (const std::uint32_t mark : series.ruleMarks) {
        const std::uint64_t column = columnOf(mark, count, columns);
        if (column == ringed) continue;
        ringed = column;
        drawRing(canvas,
                 {plot.left + static_cast<int>(column), y.pixel(series.values.values()[mark])},
                 textHeight);
    }
}

void drawPoints(Canvas& canvas, const Rect& plot, const RecordSeries& series, const AxisScale& y,
                int textHeight) {
    const std::uint32_t count = series.values.size();
    const std::uint32_t records = series.leading + count;
    const AxisScale x = recordScale(plot, records, textHeight);
    const std::span<const float> values = series.values.values();
    std::vector<Point> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        points.push_back({x.pixel(series.leading + i), y.pixel(values[i])});
    }
    if (points.size() > 1) canvas.polyline(points, kTrace);
    // OK marks as large as the spacing between them allows, at least one pixel; warning and NG
    // marks always their own size, drawn after them so that no OK mark covers one.
    const int spacing =
        (plot.width - 2 * inset(textHeight)) / static_cast<int>(std::max(records, 2u) - 1);
    const int half = spacing >= 6 ? 2 : (spacing >= 2 ? 1 : 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!isGood(values[i], series.band)) continue;
        const Point at = points[i];
        canvas.fillRect({at.x - half, at.y - half, 2 * half + 1, 2 * half + 1}, kOk);
    }
    for (const std::uint32_t mark : series.warningMarks) {
        if (isGood(values[mark], series.band)) {
            drawWarningMark(canvas, points[mark], ngMarkHalf(textHeight));
        }
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!isGood(values[i], series.band)) drawNgMark(canvas, points[i], ngMarkHalf(textHeight));
    }
    for (const std::uint32_t mark : series.ruleMarks) drawRing(canvas, points[mark], textHeight);
}

// The first and the newest record's numbers under their places on the axis.
void drawRecordNumbers(Canvas& canvas, const Rect& plot, const RecordSeries& series,
                       int textHeight) {
    const std::uint32_t count = series.values.size();
    const std::uint32_t records = series.leading + count;
    const bool columns = count > static_cast<std::uint32_t>(plot.width);
    const AxisScale x = recordScale(plot, records, textHeight);
    const int below = plot.bottom() + kTickLength;
    const std::string firstNumber = std::to_string(series.leading + 1);
    const int first = columns ? plot.left : x.pixel(series.leading);
    if (records == 1) {
        canvas.text({first, below}, firstNumber, kText, HorizontalAnchor::Centre,
                    VerticalAnchor::Top);
        return;
    }
    const std::string newest = std::to_string(records);
    canvas.text({plot.right() - 1, below}, newest, kText, HorizontalAnchor::Right,
                VerticalAnchor::Top);
    const int room = canvas.measure(newest).width + 2 * kPadding;
    if (plot.right() - first > room) {
        canvas.text({first, below}, firstNumber, kText, HorizontalAnchor::Centre,
                    VerticalAnchor::Top);
    }
}

}  // namespace

ControlStrokes controlStrokes(const ControlLimits& limits) {
    if (limits.source == LimitsSource::Fixed) return {kFixedControl, Stroke::Solid};
    return {kControl, Stroke::Dashed};
}

PlotMargins widest(PlotMargins a, PlotMargins b) {
    return {std::max(a.left, b.left), std::max(a.right, b.right)};
}

namespace {

struct Layout {
    int textHeight;
    Ticks ticks;
    PlotMargins margins;
};

Layout layOut(Canvas& canvas, const Rect& area, const RecordSeries& series) {
    const int textHeight = canvas.measure(series.title).height;
    const int top = area.top + textHeight + 2 * kPadding;
    const int bottom = area.bottom() - textHeight - kTickLength - kPadding;
    Ticks ticks = niceTicks(series.range, std::max(3, (bottom - top) / (2 * textHeight)), false);
    if (series.noNegativeTicks) std::erase_if(ticks.values, [](double v) { return v < 0.0; });
    int labels = 0;
    for (const ReferenceLine& line : series.lines) {
        labels = std::max(labels, canvas.measure(line.label).width);
    }
    return {textHeight,
            ticks,
            {kPadding + widestText(canvas, tickTexts(ticks)) + kTickLength + 2,
             kPadding + labels + kPadding}};
}

}  // namespace

PlotMargins plotMargins(Canvas& canvas, const Rect& area, const RecordSeries& series) {
    return layOut(canvas, area, series).margins;
}

void drawRecordPlot(Canvas& canvas, const Rect& area, const RecordSeries& series,
                    PlotMargins least) {
    drawTitle(canvas, area, series.title);
    const Layout layout = layOut(canvas, area, series);
    const int textHeight = layout.textHeight;
    const PlotMargins margins = widest(layout.margins, least);
    const int top = area.top + textHeight + 2 * kPadding;
    const int bottom = area.bottom() - textHeight - kTickLength - kPadding;
    const int left = area.left + margins.left;
    const int right = area.right() - margins.right;
    const Rect plot{left, top, std::max(1, right - left), std::max(1, bottom - top)};
    const AxisScale y(series.range, plot.bottom() - 1, plot.top);

    drawVerticalAxis(canvas, plot, y, layout.ticks);
    std::vector<LineLabel> labels;
    for (const ReferenceLine& line : series.lines) {
        const int at = y.pixel(line.value);
        canvas.line({plot.left, at}, {plot.right() - 1, at}, line.colour, line.stroke);
        labels.push_back({at, line.label, line.colour});
    }
    spreadLabels(labels, textHeight, area.top, area.bottom());
    for (const LineLabel& label : labels) {
        canvas.text({plot.right() + kPadding, label.position}, label.text, label.colour,
                    HorizontalAnchor::Left, VerticalAnchor::Middle);
    }

    const std::uint32_t count = series.values.size();
    if (count == 0) {
        canvas.text({plot.left + plot.width / 2, plot.top + plot.height / 2}, series.noValues,
                    kText, HorizontalAnchor::Centre, VerticalAnchor::Middle);
    } else if (count > static_cast<std::uint32_t>(plot.width)) {
        drawColumns(canvas, plot, series, y, textHeight);
        drawColumnRings(canvas, plot, series, y, textHeight);
    } else {
        drawPoints(canvas, plot, series, y, textHeight);
    }
    canvas.frameRect(plot, kFrame);
    if (count > 0) drawRecordNumbers(canvas, plot, series, textHeight);
}

}  // namespace mensora
