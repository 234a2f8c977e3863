// The cost of one recording must not depend on how many records are held: a recording at a
// full store costs what the first one did. Each run measures a batch of recordings that
// starts with 0 or 500,000 records held, or ends with the 1,000,000th record (999,999 held
// before it), through the real record list model.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/recording_rig.h"

namespace {

using mensora::kRecordCapacity;
using mensora::bench::RecordingRig;

constexpr std::uint32_t kBatch = 10'000;

RecordingRig& rig() {
    static const auto shared = std::make_unique<RecordingRig>();
    return *shared;
}

void RecordMeasurementWithRecordsHeld(benchmark::State& state) {
    const auto held = static_cast<std::uint32_t>(state.range(0));
    const std::uint32_t start = std::min(held, kRecordCapacity - kBatch);
    RecordingRig& r = rig();
    r.recorder.clearRecords();
    while (r.store.count() < start) r.recorder.recordMeasurement();

    for (auto _ : state) r.recorder.recordMeasurement();

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

}  // namespace

BENCHMARK_MAIN();
