// The histogram's bins: every record counted once, widths of whole reading steps, a bounded
// number of bins whatever the batch.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "charts/histogram.h"

namespace mensora {
namespace {

Bins binsOf(const std::vector<float>& values, int decimals) {
    RunningCapability capability;
    for (const float v : values) capability.add(v);
    return binValues(values, capability, decimals);
}

std::vector<float> normalBatch(std::size_t count, double centre, double spread, int decimals) {
    std::mt19937 engine(5);
    std::normal_distribution<double> drawn(centre, spread);
    const double scale = std::pow(10.0, decimals);
    std::vector<float> values(count);
    for (float& v : values) v = static_cast<float>(std::round(drawn(engine) * scale) / scale);
    return values;
}

struct BinCase {
    const char* name;
    std::vector<float> values;
    int decimals;
    std::size_t leastBins;
    std::size_t mostBins;
};

class HistogramBins : public ::testing::TestWithParam<BinCase> {};

TEST_P(HistogramBins, CountEveryRecordInBinsOfWholeReadingSteps) {
    const BinCase& c = GetParam();
    const Bins bins = binsOf(c.values, c.decimals);
    const std::uint64_t counted =
        std::accumulate(bins.counts.begin(), bins.counts.end(), std::uint64_t{0});
    EXPECT_EQ(counted, c.values.size());
    EXPECT_GE(bins.counts.size(), c.leastBins);
    EXPECT_LE(bins.counts.size(), c.mostBins);
    const double step = std::pow(10.0, -c.decimals);
    const double steps = bins.width / step;
    EXPECT_NEAR(steps, std::round(steps), 1e-6) << bins.width;
    // Each reading lies inside the bin it was counted in, never on an edge.
    for (const float v : c.values) {
        EXPECT_GT(v, bins.low);
        EXPECT_LT(v, bins.high());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Batches, HistogramBins,
    ::testing::Values(
        BinCase{"one_reading", {12.345f}, 3, 1, 1},
        BinCase{"equal_readings", {5.5f, 5.5f, 5.5f, 5.5f}, 1, 1, 1},
        BinCase{"two_readings", {1.0f, 1.002f}, 3, 1, 3},
        // Scott's rule gives bins of 0.004 for 250 readings of σ 0.006: about ten of them.
        BinCase{"batch", normalBatch(250, 12.345, 0.006, 3), 3, 6, 20},
        // A million readings would ask for hundreds of bins; they are held to the most.
        BinCase{"million", normalBatch(1'000'000, 12.345, 0.006, 3), 3, 20, kMostBins},
        BinCase{"coarse_gauge", normalBatch(1'000, 3.0, 0.002, 3), 3, 3, 20}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace mensora
