#include "charts/histogram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "charts/axis_scale.h"
#include "charts/chart_style.h"
#include "charts/chart_texts.h"
#include "charts/figure_text.h"
#include "charts/plot_parts.h"

namespace mensora {
namespace {

using namespace chart_style;

constexpr double kScottFactor = 3.49;
constexpr int kCurveStepPixels = 2;

// A width of whole reading steps, at least one.
double wholeSteps(double width, double step) {
    return std::max(1.0, std::ceil(width / step - 1e-9)) * step;
}

constexpr std::size_t kBlock = 256;

struct BinScale {
    float smallest;  // the smallest reading
    float offset;    // from it to the first bin's left edge
    float scale;     // bins per unit
    float top;       // the last bin's middle
};

// Positions of one block of readings, free of branches and of aliasing so that the compiler
// works on several readings to an instruction.
void positionsOf(const float* __restrict readings, std::int32_t* __restrict positions, BinScale s) {
    for (std::size_t i = 0; i < kBlock; ++i) {
        float position = ((readings[i] - s.smallest) + s.offset) * s.scale;
        position = position > 0.0f ? position : 0.0f;
        position = position < s.top ? position : s.top;
        positions[i] = static_cast<std::int32_t>(position);
    }
}

// One pass over every record, the only work of a drawing that grows with them. Positions
// are worked out in single precision: measured from the smallest reading, itself a float,
// the distances are exact, and the bin edges lie half a reading step from any reading, far
// beyond a float's rounding.
void countInto(std::span<const float> values, float smallest, Bins& bins) {
    const BinScale s{smallest, static_cast<float>(static_cast<double>(smallest) - bins.low),
                     static_cast<float>(1.0 / bins.width),
                     static_cast<float>(bins.counts.size()) - 0.5f};
    std::uint32_t* counts = bins.counts.data();
    std::array<std::int32_t, kBlock> positions;
    const std::size_t whole = values.size() - values.size() % kBlock;
    for (std::size_t start = 0; start < whole; start += kBlock) {
        positionsOf(values.data() + start, positions.data(), s);
        for (const std::int32_t position : positions) ++counts[position];
    }
    std::array<float, kBlock> rest{};
    rest.fill(smallest);
    std::copy(values.begin() + static_cast<std::ptrdiff_t>(whole), values.end(), rest.begin());
    positionsOf(rest.data(), positions.data(), s);
    for (std::size_t i = 0; i < values.size() - whole; ++i) ++counts[positions[i]];
}

struct LimitMark {
    double value;
    std::string label;
    Colour colour;
    HorizontalAnchor side;  // where the label stands from the line
};

void drawCurve(Canvas& canvas, const Rect& plot, const AxisScale& x, const AxisScale& y,
               const Bins& bins, double mean, double sigma, std::uint32_t count) {
    const double scale = count * bins.width / (sigma * std::sqrt(2.0 * std::numbers::pi));
    const ValueRange& shown = x.range();
    std::vector<Point> points;
    for (int px = 0; px <= plot.width; px += kCurveStepPixels) {
        const double value = shown.low + (shown.high - shown.low) * px / plot.width;
        const double z = (value - mean) / sigma;
        points.push_back({plot.left + std::min(px, plot.width - 1),
                          y.clampedPixel(scale * std::exp(-0.5 * z * z))});
    }
    canvas.polyline(points, kCurve);
}

}  // namespace

Bins binValues(std::span<const float> values, const RunningCapability& capability, int decimals) {
    if (values.empty()) return {0.0, 1.0, {}};
    const double step = std::pow(10.0, -decimals);
    const double low = *capability.minimum() - step / 2;
    const double span = *capability.maximum() + step / 2 - low;
    const std::optional<double> sigma = capability.sigma();
    double width = step;
    if (sigma && *sigma > 0.0) {
        width =
            wholeSteps(kScottFactor * *sigma / std::cbrt(static_cast<double>(values.size())), step);
    }
    if (span / width > kMostBins) width = wholeSteps(span / kMostBins, step);
    const auto binCount = static_cast<std::size_t>(
        std::clamp(std::ceil(span / width - 1e-9), 1.0, static_cast<double>(kMostBins)));
    Bins bins{low, width, std::vector<std::uint32_t>(binCount, 0)};
    countInto(values, static_cast<float>(*capability.minimum()), bins);
    return bins;
}

void drawHistogram(Canvas& canvas, const Rect& area, const ChartInputs& inputs) {
    const int textHeight =
        drawTitle(canvas, area, pick(chart_texts::kHistogramTitle, inputs.language));
    const ChartData& data = inputs.data;
    const RunningCapability& capability = data.capability();
    const ToleranceLimits& limits = inputs.limits;
    const int decimals = readingDecimals(data);
    const Bins bins = binValues(data.values().values(), capability, decimals);

    ValueRange xRange = ValueRange::around(limits.nominal);
    xRange.include(limits.upper);
    xRange.include(limits.lower);
    if (!bins.counts.empty()) {
        xRange.include(bins.low);
        xRange.include(bins.high());
    }
    xRange = xRange.padded(0.04);

    const std::optional<double> mean = capability.mean();
    const std::optional<double> sigma = capability.sigma();
    const bool curve = mean && sigma && *sigma > 0.0;
    double tallest = 1.0;
    for (const std::uint32_t count : bins.counts) tallest = std::max(tallest, double(count));
    if (curve) {
        tallest = std::max(tallest, capability.count() * bins.width /
                                        (*sigma * std::sqrt(2.0 * std::numbers::pi)));
    }
    const ValueRange yRange{0.0, tallest * 1.08};

    // Title, then a row for the limits' names, the plot, and the value axis below it.
    const int top = area.top + 2 * textHeight + 3 * kPadding;
    const int bottom = area.bottom() - textHeight - kTickLength - kPadding;
    const Ticks yTicks = niceTicks(yRange, std::max(2, (bottom - top) / (2 * textHeight)), true);
    const int left = area.left + kPadding + widestText(canvas, tickTexts(yTicks)) + kTickLength + 2;
    const int right = area.right() - 2 * kPadding;
    const Rect plot{left, top, std::max(1, right - left), std::max(1, bottom - top)};
    const AxisScale x(xRange, plot.left, plot.right() - 1);
    const AxisScale y(yRange, plot.bottom() - 1, plot.top);

    drawVerticalAxis(canvas, plot, y, yTicks);
    const Ticks xTicks = niceTicks(xRange, std::max(2, plot.width / (5 * textHeight)), false);
    drawHorizontalAxis(canvas, plot, x, xTicks);

    for (std::size_t i = 0; i < bins.counts.size(); ++i) {
        if (bins.counts[i] == 0) continue;
        const int from = x.pixel(bins.low + bins.width * static_cast<double>(i));
        const int to = x.pixel(bins.low + bins.width * static_cast<double>(i + 1));
        const int barTop = y.pixel(bins.counts[i]);
        const Rect bar{from, barTop, std::max(1, to - from), plot.bottom() - barTop};
        canvas.fillRect(bar, kBar);
        canvas.frameRect(bar, kBarEdge);
    }
    if (curve) drawCurve(canvas, plot, x, y, bins, *mean, *sigma, capability.count());

    std::vector<LimitMark> marks{
        {limits.lower, namedValue(chart_texts::kLowerLimit, limits.lower, decimals), kNg,
         HorizontalAnchor::Right},
        {limits.nominal, pick(chart_texts::kNominal, inputs.language), kNominal,
         HorizontalAnchor::Centre},
        {limits.upper, namedValue(chart_texts::kUpperLimit, limits.upper, decimals), kNg,
         HorizontalAnchor::Left},
    };
    // A lower tolerance above zero puts the nominal size left of both limits.
    std::stable_sort(marks.begin(), marks.end(),
                     [](const LimitMark& a, const LimitMark& b) { return a.value < b.value; });
    // The names stand above the plot, each by its line, pushed apart where they would meet
    // and kept inside the area.
    const int labelRow = plot.top - kPadding;
    std::vector<int> lefts;
    std::vector<int> widths;
    for (const LimitMark& mark : marks) {
        const int at = x.pixel(mark.value);
        canvas.line({at, plot.top}, {at, plot.bottom() - 1}, mark.colour, Stroke::Solid);
        const int width = canvas.measure(mark.label).width;
        const int shift = mark.side == HorizontalAnchor::Left     ? 0
                          : mark.side == HorizontalAnchor::Centre ? width / 2
                                                                  : width;
        lefts.push_back(at - shift);
        widths.push_back(width);
    }
    int from = area.left + kPadding;
    for (std::size_t i = 0; i < lefts.size(); ++i) {
        lefts[i] = std::max(lefts[i], from);
        from = lefts[i] + widths[i] + kPadding;
    }
    int to = area.right() - kPadding;
    for (std::size_t i = lefts.size(); i-- > 0;) {
        lefts[i] = std::min(lefts[i], to - widths[i]);
        to = lefts[i] - kPadding;
    }
    for (std::size_t i = 0; i < lefts.size(); ++i) {
        canvas.text({lefts[i], labelRow}, marks[i].label, marks[i].colour, HorizontalAnchor::Left,
                    VerticalAnchor::Bottom);
    }
    if (bins.counts.empty()) {
        canvas.text({plot.left + plot.width / 2, plot.top + plot.height / 2},
                    pick(chart_texts::kNoRecords, inputs.language), kText, HorizontalAnchor::Centre,
                    VerticalAnchor::Middle);
    }
    canvas.frameRect(plot, kFrame);
}

}  // namespace mensora
