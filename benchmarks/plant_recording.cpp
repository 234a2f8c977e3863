// A recording while the plant database's sender works flat out against one without it: the
// sender runs on its own thread, reading a journal and inserting into a real PostgreSQL, and
// the window's thread must not feel it (at most 1.2 times the time of a recording without).
// Run inside tests/plant/with-postgres, which names the server:
//
//   tests/plant/with-postgres build/default/benchmarks/benchmark_plant_recording
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "base/control_ids.h"
#include "plant/plant_sender.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/synthetic_journal.h"

namespace {

using Rig = mensora::test::DialogRig<>;
constexpr std::uint32_t kBatch = 100'000;
// More than the sender can send while the recordings run: it never runs out of work.
constexpr int kBacklog = 200'000;

// The sender on its own thread, sending a journal's backlog for as long as it lives.
class BusySender {
public:
    explicit BusySender(const std::string& connection) {
        const auto path =
            (std::filesystem::temp_directory_path() / "mensora-plant-bench.db").string();
        journal_ = std::make_unique<mensora::test::SyntheticJournal>(
            path, mensora::test::runIdFrom(static_cast<std::uint64_t>(std::time(nullptr))));
        std::vector<mensora::OutboxRecord> records;
        for (int i = 1; i <= kBacklog; ++i) records.push_back(mensora::test::sampleRecord(i));
        journal_->append(records);
        thread_ = std::jthread([this, connection, path] {
            mensora::PlantSender sender({connection, "bench-benchmark", path});
            while (!stop_) {
                const mensora::PlantStatus status = sender.sendSome().status;
                if (status.lastError.empty()) ++rounds_;
                drained_ = drained_ || status.upToDate;
            }
        });
    }
    ~BusySender() { stop_ = true; }
    int rounds() const { return rounds_; }
    bool drained() const { return drained_; }

private:
    std::unique_ptr<mensora::test::SyntheticJournal> journal_;
    std::atomic<bool> stop_{false};
    std::atomic<int> rounds_{0};
    std::atomic<bool> drained_{false};  // ran out of work: it no longer loads the machine
    std::jthread thread_;
};

void RecordMeasurementWithPlantSender(benchmark::State& state) {
    const char* connection = std::getenv("MENSORA_PLANT_TEST_CONNECTION");
    if (connection == nullptr) {
        state.SkipWithError("run inside tests/plant/with-postgres");
        return;
    }
    Rig rig(mensora::test::StoredSettings{{"COMBO1", 1}}, kBatch);
    rig.setReading(12.345f, "12.345", 3);
    std::unique_ptr<BusySender> sender;
    if (state.range(0) == 1) {
        sender = std::make_unique<BusySender>(connection);
        // Measured from its first round sent: connected, reading and inserting.
        while (sender->rounds() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    for (auto _ : state) rig.click(mensora::ManualButton);

    if (rig.store.count() != kBatch) state.SkipWithError("a recording was refused");
    if (sender != nullptr && sender->drained()) state.SkipWithError("the sender ran out of work");
    state.SetLabel(state.range(0) == 1 ? "sender sending" : "no sender");
}
BENCHMARK(RecordMeasurementWithPlantSender)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(kBatch)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
