// The run chart draws a pixel column of many records from the blocks' extremes: a wrong
// block would hide an NG reading from the chart.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "charts/value_column.h"

namespace mensora {
namespace {

Extremes direct(const std::vector<float>& values, std::uint32_t first, std::uint32_t last) {
    const auto [low, high] = std::minmax_element(values.begin() + first, values.begin() + last);
    return {*low, *high};
}

struct Stretch {
    std::uint32_t first;
    std::uint32_t last;
};

TEST(ValueColumn, ExtremesOfAnyStretchAreThoseOfItsRecords) {
    constexpr std::uint32_t kCount = 300'000;
    ValueColumn column(kCount);
    std::mt19937 engine(3);
    std::uniform_real_distribution<float> spread(-1.0f, 1.0f);
    std::vector<float> values(kCount);
    for (float& v : values) {
        v = spread(engine);
        column.append(v);
    }
    // Single records, block edges of every level, stretches crossing them, the whole column.
    std::vector<Stretch> stretches{
        {0, 1},        {15, 16},        {16, 32},    {15, 17},        {255, 4097},
        {4095, 65537}, {1, kCount - 1}, {0, kCount}, {65536, 131072}, {kCount - 1, kCount}};
    std::uniform_int_distribution<std::uint32_t> position(0, kCount - 1);
    for (int i = 0; i < 500; ++i) {
        std::uint32_t a = position(engine);
        std::uint32_t b = position(engine);
        if (a > b) std::swap(a, b);
        stretches.push_back({a, b + 1});
    }
    for (const Stretch& s : stretches) {
        const Extremes got = column.extremes(s.first, s.last);
        const Extremes want = direct(values, s.first, s.last);
        ASSERT_EQ(got.minimum, want.minimum) << s.first << ".." << s.last;
        ASSERT_EQ(got.maximum, want.maximum) << s.first << ".." << s.last;
    }
}

// After a Clear the blocks still hold the earlier records' bytes; a block restarts with its
// first new record, so an old extreme never shows through.
TEST(ValueColumn, RecordsBeforeAClearNeverShowInItsExtremes) {
    ValueColumn column(10'000);
    for (int i = 0; i < 9'000; ++i) column.append(i == 4'000 ? 99.0f : 1.0f);
    column.clear();
    std::vector<float> values;
    for (int i = 0; i < 5'000; ++i) {
        values.push_back(static_cast<float>(i % 7));
        column.append(values.back());
    }
    EXPECT_EQ(column.size(), 5'000u);
    const Extremes all = column.extremes(0, 5'000);
    EXPECT_EQ(all.minimum, 0.0f);
    EXPECT_EQ(all.maximum, 6.0f);
    const Extremes stretch = column.extremes(3'900, 4'100);
    EXPECT_EQ(stretch.maximum, direct(values, 3'900, 4'100).maximum);
}

TEST(ValueColumn, AFullColumnTakesNoMoreRecords) {
    ValueColumn column(16);
    for (int i = 0; i < 20; ++i) column.append(static_cast<float>(i));
    EXPECT_EQ(column.size(), 16u);
    EXPECT_EQ(column.extremes(0, 16).maximum, 15.0f);
}

}  // namespace
}  // namespace mensora
