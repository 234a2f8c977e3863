// The capability figures, kept a record at a time, must be what a person computing them
// from the whole batch gets: an inspector compares them with a spreadsheet.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "charts/figure_text.h"
#include "charts/running_capability.h"

namespace mensora {
namespace {

// The direct computation, over the whole batch at once and in extended precision, so that
// it is the more exact of the two: the mean first, then the spread around it, then the
// moving ranges.
CapabilityFigures twoPass(const std::vector<float>& values, const ToleranceLimits& limits) {
    using Wide = long double;
    const Wide n = static_cast<Wide>(values.size());
    Wide sum = 0.0L;
    for (const float v : values) sum += v;
    const Wide wideMean = sum / n;
    Wide squares = 0.0L;
    Wide ranges = 0.0L;
    for (std::size_t i = 0; i < values.size(); ++i) {
        squares += (values[i] - wideMean) * (values[i] - wideMean);
        if (i > 0) ranges += std::fabs(Wide(values[i]) - Wide(values[i - 1]));
    }
    const auto mean = static_cast<double>(wideMean);
    const auto sigma = static_cast<double>(std::sqrt(squares / (n - 1)));
    const auto within = static_cast<double>(ranges / (n - 1) / 1.128L);
    const auto nearest =
        static_cast<double>(std::min(limits.upper - wideMean, wideMean - limits.lower));
    CapabilityFigures f;
    f.count = static_cast<std::uint32_t>(values.size());
    f.mean = mean;
    f.sigma = sigma;
    f.sigmaWithin = within;
    f.cp = (limits.upper - limits.lower) / (6 * within);
    f.cpk = nearest / (3 * within);
    f.pp = (limits.upper - limits.lower) / (6 * sigma);
    f.ppk = nearest / (3 * sigma);
    return f;
}

void expectClose(const std::optional<double>& kept, const std::optional<double>& direct,
                 const char* name) {
    ASSERT_TRUE(kept.has_value()) << name;
    ASSERT_TRUE(direct.has_value()) << name;
    EXPECT_NEAR(*kept, *direct, std::fabs(*direct) * 1e-9) << name;
}

struct Batch {
    const char* name;
    double centre;  // far from zero, a sum of squares would cancel away
    double spread;
    ToleranceLimits limits;
};

class MillionRecords : public ::testing::TestWithParam<Batch> {};

TEST_P(MillionRecords, TheKeptFiguresMatchTheDirectComputation) {
    const Batch& batch = GetParam();
    std::mt19937 engine(11);
    std::normal_distribution<double> spread(0.0, batch.spread);
    std::vector<float> values(1'000'000);
    for (float& v : values) {
        v = static_cast<float>(std::round((batch.centre + spread(engine)) * 1000.0) / 1000.0);
    }
    RunningCapability kept;
    for (const float v : values) kept.add(v);

    const CapabilityFigures got = kept.figures(batch.limits);
    const CapabilityFigures want = twoPass(values, batch.limits);
    EXPECT_EQ(got.count, 1'000'000u);
    expectClose(got.mean, want.mean, "mean");
    expectClose(got.sigma, want.sigma, "sigma");
    expectClose(got.sigmaWithin, want.sigmaWithin, "sigma within");
    expectClose(got.cp, want.cp, "Cp");
    expectClose(got.cpk, want.cpk, "Cpk");
    expectClose(got.pp, want.pp, "Pp");
    expectClose(got.ppk, want.ppk, "Ppk");
}

INSTANTIATE_TEST_SUITE_P(
    Batches, MillionRecords,
    ::testing::Values(Batch{"caliper", 12.345, 0.006, {12.345, 12.365, 12.325}},
                      Batch{"large part", 2500.0, 0.01, {2500.0, 2500.03, 2499.97}},
                      Batch{"off centre", -3.2, 0.05, {-3.0, -2.8, -3.3}}),
    [](const auto& param) {
        std::string name = param.param.name;
        for (char& c : name) c = c == ' ' ? '_' : c;
        return name;
    });

// Worked by hand: 2.0, 2.2, 1.9, 2.1, 2.3 against 2 +0.5/-0.5.
//   mean 10.5 / 5 = 2.1; squared deviations .01 .01 .04 0 .04 = 0.10, σ = √(0.10/4) = 0.15811
//   moving ranges 0.2 0.3 0.2 0.2, average 0.225, σ within = 0.225 / 1.128 = 0.19947
//   Cp = 1 / (6 × 0.19947) = 0.836   Cpk = min(0.4, 0.6) / (3 × 0.19947) = 0.668
//   Pp = 1 / (6 × 0.15811) = 1.054   Ppk = 0.4 / (3 × 0.15811) = 0.843
TEST(Capability, AHandWorkedBatchShowsTheFiguresWorkedOut) {
    RunningCapability kept;
    for (const float v : {2.0f, 2.2f, 1.9f, 2.1f, 2.3f}) kept.add(v);
    const auto texts = figureTexts(kept.figures({2.0, 2.5, 1.5}), 3);
    const std::array<std::string, kFigureCount> expected{"5",    "2.1000", "0.1581", "0.1995",
                                                         "0.84", "0.67",   "1.05",   "0.84"};
    EXPECT_EQ(texts, expected);
}

struct Undefined {
    const char* name;
    std::vector<float> values;
    std::array<std::string, kFigureCount> expected;
};

class FewRecords : public ::testing::TestWithParam<Undefined> {};

TEST_P(FewRecords, ShowADashWhereTheyCannotBeComputed) {
    RunningCapability kept;
    for (const float v : GetParam().values) kept.add(v);
    EXPECT_EQ(figureTexts(kept.figures({5.0, 5.1, 4.9}), 2), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FewRecords,
    ::testing::Values(
        Undefined{"none", {}, {"0", "—", "—", "—", "—", "—", "—", "—"}},
        Undefined{"one", {5.02f}, {"1", "5.020", "—", "—", "—", "—", "—", "—"}},
        // No spread at all: the spreads are a true zero, the indices undefined.
        Undefined{
            "equal", {5.02f, 5.02f, 5.02f}, {"3", "5.020", "0.000", "0.000", "—", "—", "—", "—"}},
        // One step between two runs: little spread from record to record, so Cp is above Pp.
        Undefined{"step",
                  {5.0f, 5.0f, 5.04f, 5.04f},
                  {"4", "5.020", "0.023", "0.012", "2.82", "2.26", "1.44", "1.15"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Capability, ClearForgetsEveryRecord) {
    RunningCapability kept;
    for (const float v : {9.0f, 1.0f, 7.0f}) kept.add(v);
    kept.clear();
    for (const float v : {2.0f, 2.2f, 1.9f, 2.1f, 2.3f}) kept.add(v);
    EXPECT_EQ(kept.count(), 5u);
    EXPECT_NEAR(*kept.mean(), 2.1, 1e-6);
    EXPECT_NEAR(*kept.sigmaWithin(), 0.225 / 1.128, 1e-6);  // no range from 7 to 2
    EXPECT_NEAR(*kept.minimum(), 1.9, 1e-6);
    EXPECT_NEAR(*kept.maximum(), 2.3, 1e-6);
}

}  // namespace
}  // namespace mensora
