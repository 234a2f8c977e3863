// The cost of one recording must not depend on how many records are held: a recording at a
// full store costs what the first one did. Each run measures a batch of recordings that
// starts with 0 or 500,000 records held, or ends with the 1,000,000th record (999,999 held
// before it), through the dialog's real wiring.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace {

using mensora::ClearButton;
using mensora::kRecordCapacity;
using mensora::ManualButton;
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

}  // namespace

BENCHMARK_MAIN();
