// Axis labels in round steps, labels beside close lines kept apart, and the charts window's
// remembered size.

#include <gtest/gtest.h>

#include <vector>

#include "charts/axis_scale.h"
#include "charts/charts_window_size.h"
#include "charts/plot_parts.h"
#include "tests/support/fake_settings.h"

namespace mensora {
namespace {

struct TickCase {
    ValueRange range;
    int most;
    bool whole;
    std::vector<double> values;
    int decimals;
};

TEST(NiceTicks, StepsOfOneTwoOrFiveTimesAPowerOfTen) {
    const TickCase cases[] = {
        {{12.3215, 12.3685}, 6, false, {12.33, 12.34, 12.35, 12.36}, 2},
        {{0.0, 97.2}, 5, true, {0, 20, 40, 60, 80}, 0},
        {{0.0, 2.16}, 8, true, {0, 1, 2}, 0},  // counts never step by less than one
        {{-3.3, -2.8}, 5, false, {-3.3, -3.2, -3.1, -3.0, -2.9, -2.8}, 1},
        {{1.0, 1.0}, 5, false, {}, 0},
    };
    for (const TickCase& c : cases) {
        const Ticks ticks = niceTicks(c.range, c.most, c.whole);
        ASSERT_EQ(ticks.values.size(), c.values.size()) << c.range.low;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_NEAR(ticks.values[i], c.values[i], 1e-12) << c.range.low;
        }
        EXPECT_EQ(ticks.decimals, c.decimals) << c.range.low;
    }
}

TEST(AxisScale, ValuesBeyondTheAxisAreHeldAtItsEdge) {
    const AxisScale y({10.0, 20.0}, 100, 0);  // upwards, as a value axis runs
    EXPECT_EQ(y.pixel(10.0), 100);
    EXPECT_EQ(y.pixel(15.0), 50);
    EXPECT_EQ(y.clampedPixel(30.0), 0);
    EXPECT_EQ(y.clampedPixel(-5.0), 100);
}

TEST(SpreadLabels, CloseLinesGetLabelsThatDoNotOverlapAndKeepTheirOrder) {
    std::vector<LineLabel> labels{{50, "b", {}}, {48, "a", {}}, {52, "c", {}}, {198, "d", {}}};
    spreadLabels(labels, 14, 0, 200);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, "a");
    EXPECT_EQ(labels[3].text, "d");
    for (std::size_t i = 1; i < labels.size(); ++i) {
        EXPECT_GE(labels[i].position - labels[i - 1].position, 14) << labels[i].text;
    }
    EXPECT_LE(labels.back().position, 200 - 7);
}

TEST(ChartsWindowSize, RemembersTheSizeAndNeverOpensSmallerThanUsable) {
    test::FakeSettings settings;
    EXPECT_EQ(loadChartsWindowSize(settings), kChartsDefaultSize);
    storeChartsWindowSize(settings, {900, 700});
    EXPECT_EQ(loadChartsWindowSize(settings), (WindowSize{900, 700}));
    storeChartsWindowSize(settings, {10, -3});  // a settings file edited by hand
    EXPECT_EQ(loadChartsWindowSize(settings), kChartsLeastSize);
}

}  // namespace
}  // namespace mensora
