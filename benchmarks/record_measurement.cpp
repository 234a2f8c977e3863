// The cost of one recording must not depend on how many records are held: a recording at a
// full store costs what the first one did. Each run measures a batch of recordings that
// starts with 0 or 500,000 records held, or ends with the 1,000,000th record (999,999 held
// before it), through the dialog's real wiring. And a recording with an inspection plan of
// 100 characteristics in force costs at most 1.1 times one without; so does one on control
// charts of subgroups of five with all eight run rules watched (on the charts' data and on the
// watch that tells each firing) against one on the individuals chart with no rule watched,
// the control charts' least, with no record held and ending with the 1,000,000th.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace {

using mensora::ClearButton;
using mensora::kRecordCapacity;
using mensora::ManualButton;
using mensora::RuleSet;
using Rig = mensora::test::DialogRig<>;

constexpr std::uint32_t kBatch = 10'000;

// A reading of 12.345 with three places and the sound switched on: every step of a
// recording runs.
Rig& rig() {
    static const auto shared = [] {
        auto made =
            std::make_unique<Rig>(mensora::test::StoredSettings{{"COMBO1", 1}}, kRecordCapacity);
        made->setReading(12.345f, "12.345", 3);
        return made;
    }();
    return *shared;
}

void RecordMeasurementWithRecordsHeld(benchmark::State& state) {
    const auto held = static_cast<std::uint32_t>(state.range(0));
    const std::uint32_t start = std::min(held, kRecordCapacity - kBatch);
    Rig& r = rig();
    r.click(ClearButton);
    while (r.store.count() < start) r.click(ManualButton);

    for (auto _ : state) r.click(ManualButton);

    if (r.store.count() != start + kBatch) state.SkipWithError("a recording was refused");
    state.SetLabel("records held " + std::to_string(start) + " to " +
                   std::to_string(start + kBatch - 1));
}
BENCHMARK(RecordMeasurementWithRecordsHeld)
    ->Arg(0)
    ->Arg(500'000)
    ->Arg(999'999)
    ->Iterations(kBatch)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The largest plan a bench may put in force: each characteristic of its own size, so the
// window shows new sizes with every record, and each wide enough that the reading is OK.
mensora::InspectionPlan largestPlan() {
    mensora::InspectionPlan plan{"P-100", "Housing", {}};
    for (std::size_t i = 1; i <= mensora::kPlanCapacity; ++i) {
        plan.characteristics.push_back({std::to_string(i),
                                        "Size " + std::to_string(i),
                                        12.0f + static_cast<float>(i) / 100.0f,
                                        1.0f,
                                        -1.0f,
                                        0,
                                        "G-1",
                                        1,
                                        {}});
    }
    return plan;
}

void RecordMeasurementWithAPlan(benchmark::State& state) {
    const bool withPlan = state.range(0) != 0;
    Rig& r = rig();
    r.click(ClearButton);
    r.dialog.plan().putInForce(withPlan ? std::optional(largestPlan()) : std::nullopt);

    for (auto _ : state) r.click(ManualButton);

    if (r.store.count() != kBatch) state.SkipWithError("a recording was refused");
    r.dialog.plan().putInForce(std::nullopt);
    state.SetLabel(withPlan ? "a plan of 100 characteristics in force" : "no plan");
}
BENCHMARK(RecordMeasurementWithAPlan)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(kBatch)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void RecordMeasurementOnControlCharts(benchmark::State& state) {
    const bool watched = state.range(0) != 0;
    const auto held = static_cast<std::uint32_t>(state.range(1));
    const std::uint32_t start = std::min(held, kRecordCapacity - kBatch);
    Rig& r = rig();
    mensora::ChartSource& charts = r.dialog.chartSource();
    charts.setSubgroupSize(watched ? 5 : 1);
    charts.setRules(watched ? RuleSet::all() : RuleSet::none());
    r.click(ClearButton);
    // The charts' data takes the settings at the next look, as an open window's does.
    charts.shown();
    // A reading that moves a little, so that the rules' runs and windows keep changing.
    std::uint32_t i = 0;
    const auto next = [&] {
        r.setReading(12.345f + 0.001f * static_cast<float>((i++ * 7919u) % 13u), "12.345", 3);
        r.click(ManualButton);
    };
    while (r.store.count() < start) next();

    for (auto _ : state) next();

    if (r.store.count() != start + kBatch) state.SkipWithError("a recording was refused");
    charts.setSubgroupSize(1);
    charts.setRules(RuleSet());
    state.SetLabel(std::string(watched ? "n = 5, rules 1-8" : "n = 1, no rule") +
                   ", records held " + std::to_string(start) + " to " +
                   std::to_string(start + kBatch - 1));
}
BENCHMARK(RecordMeasurementOnControlCharts)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 999'999})
    ->Args({1, 999'999})
    ->Iterations(kBatch)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
