// What the part and lot cost a million records: the time of a stamp, and the resident memory
// the stamps take (a 2-byte index a record, written only as records are taken), with the lot
// changed every thousand records.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "measure/record_traces.h"

namespace {

using mensora::kRecordCapacity;
using mensora::RecordTraces;

// The resident memory of the process now, in bytes (Linux).
double residentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * 4096.0;
}

void StampAMillionRecords(benchmark::State& state) {
    double grown = 0.0;
    std::size_t combinations = 0;
    for (auto _ : state) {
        const double before = residentBytes();
        RecordTraces traces;
        for (std::uint32_t i = 0; i < kRecordCapacity; ++i) {
            if (i % 1000 == 0) {
                traces.setInForce({"A-100", "Ø12", "L" + std::to_string(i / 1000), "Wang", "G7"});
            }
            traces.stamp(i);
        }
        grown = residentBytes() - before;
        combinations = traces.combinations().size();
        benchmark::DoNotOptimize(traces.indexOf(kRecordCapacity - 1));
    }
    state.counters["resident_MiB"] = grown / (1024.0 * 1024.0);
    state.counters["combinations"] = static_cast<double>(combinations);
    state.counters["ns_per_record"] = benchmark::Counter(
        static_cast<double>(kRecordCapacity) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(StampAMillionRecords)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
