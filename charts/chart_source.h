#pragma once
// Where a charts window finds what it draws, asked at each look: the chart data of every
// record, or chart data picked anew each time (the characteristic due of a plan in force).

#include <functional>
#include <utility>

#include "charts/chart_data.h"

namespace mensora {

class ChartSource {
public:
    // Always the same chart data.
    ChartSource(const ChartData& data)  // NOLINT: a chart data is a source of itself
        : pick_([&data]() -> const ChartData& { return data; }) {}
    explicit ChartSource(std::function<const ChartData&()> pick) : pick_(std::move(pick)) {}

    const ChartData& operator()() const { return pick_(); }

private:
    std::function<const ChartData&()> pick_;
};

}  // namespace mensora
