// Subgroups of one are the charts every bench has had for years: the run chart and the moving
// ranges under it must come out stroke for stroke as they did before the control charts took
// them over, as long as no run rule marks a point. The fingerprints are of the drawings the
// charts made before subgroups, limits and run rules joined them, with the NG mark at the size
// that makes it visible in a picture (the drawings of 2 and 100 records hold NG marks).

#include <gtest/gtest.h>

#include "charts/charts_picture.h"
#include "tests/unit/charts/canvas_fingerprint.h"

namespace mensora {
namespace {

TEST(IndividualsCharts, DrawStrokeForStrokeAsBeforeTheControlCharts) {
    const struct {
        std::uint32_t records;
        std::uint64_t fingerprint;
    } drawings[] = {
        // None, one (no range yet), two (the first limits), a point each, a column each.
        {0u, 0x8f6ae546ced4fdc2ull},   {1u, 0xfc5c250be6ac9087ull},    {2u, 0x1f2727d5b5a9ac40ull},
        {100u, 0x2afc70f8d8e8ea65ull}, {5000u, 0xd98c00cd51ca5c04ull},
    };
    for (const auto& drawing : drawings) {
        ChartData data;
        data.configure({1, {}, RuleSet::none()});
        for (std::uint32_t i = 0; i < drawing.records; ++i) {
            data.recorded(test::steadyReading(i), 3);
        }
        test::RecordingCanvas canvas;
        const TraceValues trace{};
        drawCharts(canvas, {0, 0, 600, 400},
                   {data, ToleranceLimits{12.345, 12.365, 12.325}, Language::English, trace});
        EXPECT_EQ(test::canvasFingerprint(canvas), drawing.fingerprint)
            << drawing.records << " records";
    }
}

}  // namespace
}  // namespace mensora
