// What the control charts cost a reading: the reading into its subgroup and, when that
// completes one, the subgroup's mean and range through the run rules against the limits of
// all records so far. Measured with no reading before (0) and with a million before, for
// single readings (1) and subgroups of five (5). The two must cost the same: the subgroups
// and the rules keep sums, counters and small windows, never a walk over what came before.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "charts/run_rules.h"
#include "charts/running_subgroups.h"

namespace {

using namespace mensora;

constexpr std::uint32_t kBatch = 200'000;

// Readings of a caliper at 10 mm with a spread of 0.01 mm, to its 0.001 mm.
const std::vector<double>& readings() {
    static const std::vector<double> made = [] {
        std::mt19937 engine(3);
        std::normal_distribution<double> spread(10.0, 0.01);
        std::vector<double> values(4096);
        for (double& v : values) v = std::round(spread(engine) * 1000.0) / 1000.0;
        return values;
    }();
    return made;
}

class ControlCharts {
public:
    ControlCharts(int subgroupSize, std::uint32_t capacity)
        : subgroups_(subgroupSize, capacity), rules_(RuleSet::all()) {}

    void add(double reading) {
        subgroups_.add(reading);
        if (subgroups_.filling() != 0) return;
        const std::optional<ControlLimits> limits = subgroups_.limits();
        if (!limits) return;
        const ValueColumn& ranges = subgroups_.ranges();
        alarms_ += rules_.add(subgroups_.means().values().back(), *limits).any();
        alarms_ +=
            rangeRuleHits(ranges.values().back(), ranges.size(), *limits, RuleSet::all()).any();
    }

    std::uint32_t points() const { return subgroups_.means().size(); }
    std::uint32_t alarms() const { return alarms_; }

private:
    RunningSubgroups subgroups_;
    RunRules rules_;
    std::uint32_t alarms_ = 0;
};

void AddAReading(benchmark::State& state) {
    const auto before = static_cast<std::uint32_t>(state.range(0));
    const int subgroupSize = static_cast<int>(state.range(1));
    const std::vector<double>& values = readings();
    ControlCharts charts(subgroupSize, before + kBatch);
    for (std::uint32_t i = 0; i < before; ++i) charts.add(values[i % values.size()]);
    const std::uint32_t pointsBefore = charts.points();

    std::uint32_t i = before;
    for (auto _ : state) charts.add(values[i++ % values.size()]);

    if (charts.points() != pointsBefore + kBatch / subgroupSize) {
        state.SkipWithError("a subgroup was lost");
    }
    benchmark::DoNotOptimize(charts.alarms());
    // Seconds a plotted point: for subgroups of five, five readings and one pass of the rules.
    state.counters["per_point"] =
        benchmark::Counter(static_cast<double>(charts.points() - pointsBefore),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(AddAReading)
    ->ArgsProduct({{0, 1'000'000}, {1, 5}})
    ->ArgNames({"before", "n"})
    ->Iterations(kBatch)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
