// What the charts draw, read back from a canvas that keeps every stroke: the NG readings in
// the NG colour, the newest at the right, a pixel column per stretch of records when they
// outnumber the columns, and the limits and the control limits where they belong.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "charts/chart_style.h"
#include "charts/charts_picture.h"
#include "charts/figure_text.h"
#include "charts/histogram.h"
#include "charts/moving_range_chart.h"
#include "charts/run_chart.h"
#include "tests/unit/charts/recording_canvas.h"

namespace mensora {
namespace {

using test::RecordingCanvas;
namespace style = chart_style;

constexpr Rect kArea{0, 0, 600, 300};
constexpr ToleranceLimits kLimits{2.0, 2.5, 1.5};
const TraceValues kNoTrace{};

ChartData& dataWith(ChartData& data, std::initializer_list<float> values) {
    for (const float v : values) data.recorded(v, 3);
    return data;
}

std::size_t countFills(const RecordingCanvas& canvas, Colour colour) {
    return static_cast<std::size_t>(
        std::count_if(canvas.fills.begin(), canvas.fills.end(),
                      [&](const auto& f) { return f.colour == colour; }));
}

TEST(RunChart, EachRecordIsAMarkAndReadingsOnOrBeyondALimitAreNg) {
    ChartData data;
    // On the upper limit, inside, below the lower limit, inside, the newest well inside.
    dataWith(data, {2.5f, 2.2f, 1.4f, 1.8f, 2.0f});
    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::English, kNoTrace}));

    EXPECT_EQ(countFills(canvas, style::kNg), 2u);
    EXPECT_EQ(countFills(canvas, style::kOk), 3u);
    ASSERT_EQ(canvas.polylines.size(), 1u);
    const std::vector<Point>& trace = canvas.polylines[0];
    ASSERT_EQ(trace.size(), 5u);
    // In order, the newest furthest right, higher readings higher up.
    EXPECT_TRUE(
        std::is_sorted(trace.begin(), trace.end(), [](Point a, Point b) { return a.x < b.x; }));
    EXPECT_LT(trace[0].y, trace[1].y);
    EXPECT_GT(trace[2].y, trace[3].y);
    // Spread over the whole width, the newest at the right, no mark on the frame.
    const Rect plot = canvas.frames.back();
    EXPECT_GT(trace.front().x, plot.left);
    EXPECT_LT(trace.front().x, plot.left + plot.width / 20);
    EXPECT_LT(trace.back().x, plot.right() - 1);
    EXPECT_GT(trace.back().x, plot.right() - plot.width / 20);
    for (const auto& fill : canvas.fills) {
        if (fill.colour != style::kOk && fill.colour != style::kNg) continue;
        EXPECT_GT(fill.rect.left, plot.left);
        EXPECT_LT(fill.rect.right(), plot.right() - 1);
    }
}

// An NG reading's mark is seen at a glance at the size a picture of the window is shown: a
// square several pixels across that grows with the text, wider than an OK mark, inside the
// frame; when records outnumber the columns, a column that holds an NG reading has one too.
TEST(RunChart, NgMarksAreSeveralPixelsAcrossAndGrowWithTheScale) {
    struct Case {
        int lineHeight;
        int records;
        int leastSide;
    };
    const Case cases[] = {{14, 24, 7}, {21, 24, 11}, {14, 5000, 7}, {28, 5000, 15}};
    for (const Case& c : cases) {
        ChartData data;
        for (int i = 0; i < c.records; ++i) data.recorded(i == c.records / 2 ? 2.7f : 2.0f, 3);
        RecordingCanvas canvas;
        canvas.lineHeight = c.lineHeight;
        drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::English, kNoTrace}));
        const Rect plot = canvas.frames.back();
        std::vector<Rect> ng;
        int widestOk = 0;
        for (const auto& fill : canvas.fills) {
            if (fill.colour == style::kNg) ng.push_back(fill.rect);
            if (fill.colour == style::kOk) widestOk = std::max(widestOk, fill.rect.width);
        }
        ASSERT_EQ(ng.size(), 1u) << c.lineHeight << " " << c.records;
        EXPECT_GE(ng[0].width, c.leastSide) << c.lineHeight << " " << c.records;
        EXPECT_EQ(ng[0].width, ng[0].height);
        EXPECT_GT(ng[0].width, widestOk);
        EXPECT_GT(ng[0].left, plot.left);
        EXPECT_LT(ng[0].right(), plot.right() - 1);
    }
}

// A reading that was taken in the warning zone stands out in amber, as large as an NG mark;
// one beyond the limits drawn now is NG whatever it was taken as. Among many records a column
// holding one shows one amber mark; subgroup means are no readings and show none.
TEST(RunChart, ReadingsOfTheWarningZoneAreAmberUnlessNg) {
    struct Case {
        const char* why;
        int records;
        std::uint8_t subgroup;
        std::vector<std::uint32_t> warned;  // the readings taken as warnings
        std::size_t amber;
    };
    const Case cases[] = {
        {"each reading a mark", 6, 1, {1, 4}, 2},
        {"NG by the limits drawn", 6, 1, {0, 4}, 1},
        {"one column, two warnings", 200'000, 1, {100'000, 100'001, 150'000}, 2},
        {"subgroup means", 10, 5, {1, 4}, 0},
    };
    for (const Case& c : cases) {
        ChartData data;
        data.configure({c.subgroup, {}, RuleSet::none()});
        for (int i = 0; i < c.records; ++i) {
            const auto index = static_cast<std::uint32_t>(i);
            const bool warned = std::ranges::find(c.warned, index) != c.warned.end();
            // The first reading lies beyond the upper limit: NG, whatever it was taken as.
            data.add(i == 0 ? 2.6f : (warned ? 2.45f : 2.0f), 3, warned);
        }
        RecordingCanvas canvas;
        drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::English, kNoTrace}));
        std::vector<Rect> amber;
        for (const auto& fill : canvas.fills) {
            if (fill.colour == style::kWarning) amber.push_back(fill.rect);
        }
        ASSERT_EQ(amber.size(), c.amber) << c.why;
        const Rect plot = canvas.frames.back();
        for (const Rect& mark : amber) {
            EXPECT_GE(mark.width, 7) << c.why;
            EXPECT_GT(mark.left, plot.left) << c.why;
            EXPECT_LT(mark.right(), plot.right() - 1) << c.why;
        }
    }
}

TEST(RunChart, TheLimitsAndControlLimitsAreNamedWithTheirValues) {
    ChartData data;
    dataWith(data, {2.0f, 2.2f, 1.9f, 2.1f, 2.3f});
    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::English, kNoTrace}));
    // Mean 2.1, σ within 0.199468: UCL 2.69840, LCL 1.50160, with a place more than readings.
    for (const char* name :
         {"USL 2.500", "LSL 1.500", "Nominal 2.000", "UCL 2.6984", "LCL 1.5016", "x̄ 2.1000"}) {
        EXPECT_TRUE(canvas.hasText(name)) << name;
    }
    std::set<int> dashed;
    for (const auto& line : canvas.lines) {
        if (line.stroke == Stroke::Dashed) dashed.insert(line.from.y);
    }
    EXPECT_EQ(dashed.size(), 3u) << "UCL, mean and LCL";
}

// More records than columns: one vertical stroke per colour and column, never one per
// record, and a column that holds an NG reading shows it in the NG colour.
TEST(RunChart, ManyRecordsDrawOneStretchPerPixelColumn) {
    ChartData data;
    constexpr int kRecords = 200'000;
    for (int i = 0; i < kRecords; ++i)
        data.recorded(i == 150'000 ? 2.7f : 2.0f + 0.1f * (i % 3), 3);
    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::English, kNoTrace}));
    const Rect plot = canvas.frames.back();

    std::set<int> columns;
    std::vector<int> ngColumns;
    for (const auto& line : canvas.lines) {
        if (line.from.x != line.to.x || line.from.x < plot.left) continue;
        if (line.colour == style::kOk) columns.insert(line.from.x);
        if (line.colour == style::kNg) ngColumns.push_back(line.from.x);
    }
    EXPECT_EQ(columns.size(), static_cast<std::size_t>(plot.width));
    ASSERT_EQ(ngColumns.size(), 1u);
    const int expected = plot.left + static_cast<int>(150'000LL * plot.width / kRecords);
    EXPECT_EQ(ngColumns[0], expected);
    EXPECT_TRUE(canvas.polylines.empty());
    EXPECT_TRUE(canvas.hasText("200000"));
}

TEST(RunChart, NoRecordsSaySoBesideTheLimits) {
    ChartData data;
    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, runChartSeries({data, kLimits, Language::Chinese, kNoTrace}));
    EXPECT_TRUE(canvas.hasText("无记录"));
    EXPECT_TRUE(canvas.hasText("USL 2.500"));
    EXPECT_FALSE(canvas.hasText("UCL 2.6984"));
}

// Worked by hand: 2.0, 2.2, 1.9, 2.1, 2.3 give the moving ranges 0.2, 0.3, 0.2, 0.2; their
// average MR̄ = 0.9 / 4 = 0.225 and UCL = 3.267 × 0.225 = 0.735075. Each range stands under
// the second record of its pair.
TEST(MovingRangeChart, TheRangesOfAHandWorkedBatchStandUnderTheirRecords) {
    ChartData data;
    dataWith(data, {2.0f, 2.2f, 1.9f, 2.1f, 2.3f});
    const std::span<const float> ranges = data.control().subgroups().ranges().values();
    const float expected[] = {0.2f, 0.3f, 0.2f, 0.2f};
    ASSERT_EQ(ranges.size(), std::size(expected));
    for (std::size_t i = 0; i < ranges.size(); ++i) EXPECT_NEAR(ranges[i], expected[i], 1e-6) << i;
    EXPECT_NEAR(*data.capability().averageMovingRange(), 0.225, 1e-6);

    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, movingRangeSeries({data, kLimits, Language::English, kNoTrace}));
    EXPECT_TRUE(canvas.hasText("MR̄ 0.2250"));
    EXPECT_TRUE(canvas.hasText("UCL 0.7351"));
    EXPECT_TRUE(canvas.hasText("Moving range chart"));
    ASSERT_EQ(canvas.polylines.size(), 1u);
    EXPECT_LT(canvas.polylines[0][1].y, canvas.polylines[0][0].y) << "0.3 stands higher than 0.2";
    EXPECT_EQ(countFills(canvas, style::kOk), 4u);

    // In the window, the run chart's trace over the moving ranges'.
    RecordingCanvas both;
    drawCharts(both, {0, 0, 600, 700}, {data, kLimits, Language::English, kNoTrace});
    ASSERT_GE(both.polylines.size(), 2u);
    const std::vector<Point>& runs = both.polylines[0];
    const std::vector<Point>& rangeTrace = both.polylines[1];
    ASSERT_EQ(rangeTrace.size(), 4u);
    for (std::size_t i = 0; i < rangeTrace.size(); ++i)
        EXPECT_EQ(rangeTrace[i].x, runs[i + 1].x) << i;
}

// A jump between two parts is a range on or above the upper control limit, drawn as NG, in
// the same pixel columns as the run chart once the records outnumber them.
TEST(MovingRangeChart, AJumpIsNgAndManyRangesShareTheColumns) {
    ChartData few;
    dataWith(few, {2.0f, 2.01f, 2.0f, 2.01f, 2.0f, 2.01f, 2.0f, 2.5f});
    RecordingCanvas canvas;
    drawRecordPlot(canvas, kArea, movingRangeSeries({few, kLimits, Language::English, kNoTrace}));
    EXPECT_EQ(countFills(canvas, style::kNg), 1u);

    ChartData many;
    for (int i = 0; i < 100'000; ++i) many.recorded(i == 60'000 ? 2.4f : 2.0f + 0.01f * (i % 2), 3);
    RecordingCanvas columns;
    drawRecordPlot(columns, kArea, movingRangeSeries({many, kLimits, Language::English, kNoTrace}));
    const Rect plot = columns.frames.back();
    std::set<int> ngColumns;
    for (const auto& line : columns.lines) {
        if (line.from.x == line.to.x && line.colour == style::kNg) ngColumns.insert(line.from.x);
    }
    // The jump to and back from 2.4: ranges 59 999 and 60 000, in one column or two.
    ASSERT_FALSE(ngColumns.empty());
    EXPECT_LE(ngColumns.size(), 2u);
    EXPECT_NEAR(*ngColumns.begin(), plot.left + 60'000LL * plot.width / 99'999, 1);
    EXPECT_TRUE(columns.polylines.empty());
}

TEST(Histogram, BarsHoldEveryRecordAndTheCurveFollowsTheBatch) {
    ChartData data;
    dataWith(data, {2.0f, 2.2f, 1.9f, 2.1f, 2.3f, 2.1f, 2.0f, 2.2f});
    RecordingCanvas canvas;
    drawHistogram(canvas, kArea, {data, kLimits, Language::English, kNoTrace});
    EXPECT_GT(countFills(canvas, style::kBar), 1u);
    ASSERT_EQ(canvas.polylines.size(), 1u);
    // The curve is highest at the mean, 2.1.
    const std::vector<Point>& curve = canvas.polylines[0];
    const auto peak =
        std::min_element(curve.begin(), curve.end(), [](Point a, Point b) { return a.y < b.y; });
    EXPECT_GT(peak - curve.begin(), 0);
    EXPECT_LT(peak - curve.begin(), static_cast<long>(curve.size()) - 1);
    for (const char* name : {"LSL 1.500", "USL 2.500", "Nominal"}) {
        EXPECT_TRUE(canvas.hasText(name)) << name;
    }
    // Every limit name inside the area.
    for (const auto& text : canvas.texts) {
        EXPECT_GE(text.anchor.x, kArea.left);
        EXPECT_LE(text.anchor.x, kArea.right());
    }
}

// A saved picture must say what was measured: the part and lot in force head it.
TEST(Picture, TheHeadingCarriesThePartAndLotAndEveryFigureWithItsName) {
    ChartData data;
    dataWith(data, {2.0f, 2.2f, 1.9f});
    data.add(2.1f, 3, true);
    data.add(2.3f, 3, true);
    RecordingCanvas canvas;
    const TraceValues trace{"A-100", "Ø12", "L42", "Wang", "G7"};
    drawPicture(canvas, {0, 0, 800, 700}, {data, kLimits, Language::English, trace});
    for (const char* figure :
         {"Part number: A-100    Characteristic: Ø12    Lot: L42    "
          "Operator: Wang    Gauge ID: G7",
          "Records n  5", "Mean x̄  2.1000", "σ overall  0.1581", "σ within  0.1995", "Cp  0.84",
          "Cpk  0.67", "Pp  1.05", "Ppk  0.84", "Warnings k  2"}) {
        EXPECT_TRUE(canvas.hasText(figure)) << figure;
    }
    RecordingCanvas chinese;
    drawPicture(chinese, {0, 0, 800, 700}, {data, kLimits, Language::Chinese, trace});
    EXPECT_TRUE(chinese.hasText("预警 k  2"));
    // Clear empties the count with the readings.
    data.cleared();
    EXPECT_TRUE(data.warnings().empty());
}

}  // namespace
}  // namespace mensora
