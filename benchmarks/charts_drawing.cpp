// Drawing both quality charts must not grow with the records: a million draw about as fast
// as a thousand, since the run chart reads one stretch of blocks per pixel column and the
// histogram is one pass of counting. Each run draws the run chart and the histogram at the
// charts window's default size, onto a QImage through the QPainter canvas as the window does,
// and onto a canvas that draws nothing (the core's layout alone, what the Windows window
// adds its GDI calls to). The control charts of subgroups of five (X̄ and R, every run rule
// watched and its marks ringed) are drawn the same way, at a thousand and a million records.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "benchmarks/offscreen_benchmarks.h"
#include "charts/chart_data.h"
#include "charts/charts_picture.h"
#include "charts/charts_window_size.h"
#include "tests/support/sample_readings.h"
#include "ui/qt_canvas.h"

namespace {

using namespace mensora;

constexpr ToleranceLimits kLimits{12.345, 12.365, 12.325};
const TraceValues kNoTrace{};
constexpr Rect kArea{0, 0, kChartsDefaultSize.width, kChartsDefaultSize.height - 120};

const ChartData& batchOf(std::uint32_t records, int subgroupSize = 1) {
    static std::map<std::pair<std::uint32_t, int>, std::unique_ptr<ChartData>> batches;
    auto& batch = batches[{records, subgroupSize}];
    if (!batch) {
        batch = std::make_unique<ChartData>();
        if (subgroupSize > 1) {
            batch->configure({static_cast<std::uint8_t>(subgroupSize), {}, RuleSet::all()});
        }
        test::SampleReadings readings;
        for (std::uint32_t i = 0; i < records; ++i) batch->recorded(readings.next(), 3);
    }
    return *batch;
}

class NoCanvas : public Canvas {
public:
    void line(Point, Point, Colour, Stroke) override {}
    void polyline(std::span<const Point> points, Colour) override {
        benchmark::DoNotOptimize(points.data());
    }
    void fillRect(const Rect&, Colour) override {}
    void frameRect(const Rect&, Colour) override {}
    void text(Point, std::string_view, Colour, HorizontalAnchor, VerticalAnchor) override {}
    TextSize measure(std::string_view utf8) override {
        return {7 * static_cast<int>(utf8.size()), 14};
    }
};

void DrawBothChartsWithQPainter(benchmark::State& state) {
    const ChartData& data =
        batchOf(static_cast<std::uint32_t>(state.range(0)), static_cast<int>(state.range(1)));
    QImage image(kArea.width, kArea.height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        drawCharts(canvas, kArea, {data, kLimits, Language::English, kNoTrace});
    }
    state.counters["records"] = data.values().size();
    state.counters["rule_marks"] = static_cast<double>(data.control().valueMarks().size());
}
// Records, and the subgroup size: 1 the individuals, 5 the means and ranges.
BENCHMARK(DrawBothChartsWithQPainter)
    ->Args({1'000, 1})
    ->Args({1'000'000, 1})
    ->Args({1'000, 5})
    ->Args({1'000'000, 5})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void LayOutBothChartsOnly(benchmark::State& state) {
    const ChartData& data =
        batchOf(static_cast<std::uint32_t>(state.range(0)), static_cast<int>(state.range(1)));
    NoCanvas canvas;
    for (auto _ : state) drawCharts(canvas, kArea, {data, kLimits, Language::English, kNoTrace});
    state.counters["records"] = data.values().size();
}
BENCHMARK(LayOutBothChartsOnly)
    ->Args({1'000, 1})
    ->Args({1'000'000, 1})
    ->Args({1'000, 5})
    ->Args({1'000'000, 5})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return mensora::runOffscreenBenchmarks(argc, argv); }
