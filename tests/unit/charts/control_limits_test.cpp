// The control limits and the within spread are what a quality engineer works out by hand from
// a handful of subgroups and checks the charts against; the constants behind them are a table
// copied by hand, where one wrong digit would move every limit.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/control_constants.h"
#include "charts/figure_text.h"
#include "charts/running_capability.h"
#include "charts/running_subgroups.h"

namespace mensora {
namespace {

// `value` rounded to as many places as `shown` has, as a person writes a result down.
std::string roundedLike(double value, std::string_view shown) {
    const std::size_t point = shown.find('.');
    return fixedText(
        value, point == std::string_view::npos ? 0 : static_cast<int>(shown.size() - point - 1));
}

void expectShown(const std::vector<std::string>& expected, const ValueColumn& column,
                 const char* name) {
    ASSERT_EQ(column.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(roundedLike(column.values()[i], expected[i]), expected[i]) << name << " " << i;
    }
}

struct WorkedExample {
    const char* name;
    int subgroupSize;
    std::vector<double> readings;
    std::vector<std::string> means;
    std::vector<std::string> ranges;
    // X̿, R̄, the means' LCL and UCL, the ranges' LCL and UCL, σ within, then Cp and Cpk
    // against 10 ± 0.05 from that σ.
    std::array<std::string, 9> figures;
};

void PrintTo(const WorkedExample& example, std::ostream* out) { *out << example.name; }

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, GiveTheFiguresWorkedOutByHand) {
    const WorkedExample& example = GetParam();
    RunningSubgroups subgroups(example.subgroupSize);
    RunningCapability capability;
    for (const double v : example.readings) {
        subgroups.add(v);
        capability.add(v);
    }
    expectShown(example.means, subgroups.means(), "means");
    expectShown(example.ranges, subgroups.ranges(), "ranges");
    const std::optional<ControlLimits> limits = subgroups.limits();
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(limits->source, LimitsSource::AllRecords);
    const CapabilityFigures figures =
        capability.figures({10.0, 10.05, 9.95}, subgroups.sigmaWithin());
    const double got[] = {*subgroups.grandMean(),
                          *subgroups.averageRange(),
                          limits->lower,
                          limits->upper,
                          limits->rangeLower,
                          limits->rangeUpper,
                          limits->sigma,
                          *figures.cp,
                          *figures.cpk};
    for (std::size_t i = 0; i < example.figures.size(); ++i) {
        EXPECT_EQ(roundedLike(got[i], example.figures[i]), example.figures[i]) << "figure " << i;
    }
    if (example.subgroupSize == 1) {
        // The run chart draws the same limits from its own running figures.
        const std::optional<ControlLimits> drawn = capability.controlLimits();
        ASSERT_TRUE(drawn.has_value());
        EXPECT_NEAR(drawn->lower, limits->lower, 1e-12);
        EXPECT_NEAR(drawn->upper, limits->upper, 1e-12);
        EXPECT_NEAR(drawn->rangeUpper, limits->rangeUpper, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByHand, WorkedExamples,
    ::testing::Values(WorkedExample{"XbarR",
                                    5,
                                    {10.01, 10.00, 9.99,  10.02, 10.00, 10.00, 10.01, 10.03, 9.99,
                                     10.01, 9.98,  10.00, 10.01, 10.00, 10.01, 10.02, 10.01, 10.00,
                                     10.01, 10.02, 10.00, 9.99,  10.00, 10.01, 9.98},
                                    {"10.004", "10.008", "10.000", "10.012", "9.996"},
                                    {"0.03", "0.04", "0.03", "0.02", "0.03"},
                                    {"10.0040", "0.0300", "9.9867", "10.0213", "0", "0.0634",
                                     "0.0129", "1.292", "1.189"}},
                      WorkedExample{
                          "IMR",
                          1,
                          {10.02, 10.00, 10.03, 9.99, 10.01, 10.02, 10.00, 9.98, 10.01, 10.04},
                          {"10.02", "10.00", "10.03", "9.99", "10.01", "10.02", "10.00", "9.98",
                           "10.01", "10.04"},
                          {"0.02", "0.03", "0.04", "0.02", "0.01", "0.02", "0.02", "0.03", "0.03"},
                          {"10.010", "0.02444", "9.9450", "10.0750", "0", "0.0799", "0.0217",
                           "0.769", "0.615"}}),
    [](const auto& param) { return std::string(param.param.name); });

// d2 is the expected range of n normal readings of σ 1: ∫ 1 - Φ(x)^n - (1 - Φ(x))^n dx.
double expectedRange(int n) {
    double sum = 0.0;
    constexpr double kStep = 1e-3;
    for (double x = -10.0; x < 10.0; x += kStep) {
        const double below = 0.5 * std::erfc(-(x + kStep / 2) / std::sqrt(2.0));
        sum += (1.0 - std::pow(below, n) - std::pow(1.0 - below, n)) * kStep;
    }
    return sum;
}

TEST(ControlConstants, AgreeWithTheTheoryTheyWereTabulatedFrom) {
    for (std::uint8_t n = 1; n <= kLargestSubgroup; ++n) {
        const ControlConstants& row = controlConstants(n);
        const int ranged = n == 1 ? 2 : n;  // single readings: ranges of two in a row
        EXPECT_NEAR(row.d2, expectedRange(ranged), 0.0005) << int{n};
        // The means' limits are 3 σ/√n away; D3 and D4 lie 3 d3/d2 either side of 1, D3 no
        // lower than zero.
        EXPECT_NEAR(row.a2, 3.0 / (row.d2 * std::sqrt(double(n))), 0.001) << int{n};
        EXPECT_NEAR(row.d3, std::max(0.0, 2.0 - row.d4), 0.0005) << int{n};
    }
}

TEST(ControlLimits, FixedFromTheRecordsTheyAreTheLimitsOfThatMoment) {
    RunningSubgroups subgroups(5);
    for (const double v : {10.01, 10.00, 9.99, 10.02, 10.00, 10.00, 10.01, 10.03, 9.99, 10.01})
        subgroups.add(v);
    const ControlLimits now = *subgroups.limits();
    const LimitsSetting fixed{LimitsSource::Fixed, {now.centre, now.sigma, 5, {2024, 3, 1}, 10}};
    for (const double v : {10.10, 10.11, 10.12, 10.13, 10.14}) subgroups.add(v);

    const ControlLimits kept = *subgroups.limits(fixed);
    EXPECT_EQ(kept.source, LimitsSource::Fixed);
    EXPECT_NEAR(kept.lower, now.lower, 1e-12);
    EXPECT_NEAR(kept.upper, now.upper, 1e-12);
    EXPECT_NEAR(kept.rangeCentre, now.rangeCentre, 1e-12);
    EXPECT_NEAR(kept.rangeUpper, now.rangeUpper, 1e-12);
    EXPECT_GT(subgroups.limits()->centre, now.upper) << "the records' own limits moved on";

    // Fixed for subgroups of another size, they do not describe these means.
    LimitsSetting otherSize = fixed;
    otherSize.fixed.subgroupSize = 4;
    EXPECT_EQ(subgroups.limits(otherSize)->source, LimitsSource::AllRecords);
}

TEST(RunningSubgroups, AnUnfinishedSubgroupIsNeitherPlottedNorAveraged) {
    RunningSubgroups subgroups(3);
    for (const double v : {9.0, 1.0, 5.0, 8.0}) subgroups.add(v);  // 8.0 left filling
    subgroups.clear();
    EXPECT_FALSE(subgroups.grandMean().has_value());
    for (const double v : {2.0, 2.3, 2.1, 7.0, 9.0}) subgroups.add(v);
    EXPECT_EQ(subgroups.means().size(), 1u);
    EXPECT_EQ(subgroups.filling(), 2u);
    EXPECT_NEAR(*subgroups.grandMean(), 2.1333333, 1e-6);
    EXPECT_NEAR(*subgroups.averageRange(), 0.3, 1e-9);
}

}  // namespace
}  // namespace mensora
