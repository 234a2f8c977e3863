// What the journal costs and what it keeps up with:
//  - one recording through the dialog's real wiring and the real Qt window (offscreen) with
//    the journal against without it, with 0 and 999,999 records held (the window's share: the
//    writer runs on its own thread);
//  - records per second the journal's writer commits when records come faster than it writes;
//  - the journal's size on disk once it holds 1,000,000 records.
// The journal is a real SQLite file in a fresh folder under the system's temporary folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <string>

#include "base/control_ids.h"
#include "base/thread_work_queue.h"
#include "benchmarks/offscreen_benchmarks.h"
#include "journal/journal.h"
#include "ui/main_window.h"
#include "ui/system_clock.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/manual_work.h"
#include "tests/unit/journal/journal_bench.h"

namespace {

using mensora::ClearButton;
using mensora::kRecordCapacity;
using mensora::ManualButton;
using Rig = mensora::test::DialogRig<mensora::MainWindow>;

constexpr std::uint32_t kBatch = 10'000;

// A rig of a million records, with or without a journal written by a thread of its own.
struct Bench {
    explicit Bench(bool journaled) {
        pc.userData = folder.path();
        rig = std::make_unique<Rig>(
            mensora::test::StoredSettings{{"COMBO1", 1}}, kRecordCapacity,
            mensora::test::RigStart{
                mensora::StationDoors{journaled, {}},
                &reports,
                mensora::StationWork{[this](mensora::Door door) { return queueFor(door); },
                                     writerClock},
                &pc,
                {}});
        rig->setReading(12.345f, "12.345", 3);
    }
    // Returns once the writer has committed everything handed to it so far.
    void waitForWriter() {
        std::promise<void> done;
        journalQueue->submit([&] { done.set_value(); });
        done.get_future().wait();
    }
    std::uintmax_t journalBytes() const {
        std::uintmax_t bytes = 0;
        for (const char* name : {"journal.db", "journal.db-wal", "journal.db-shm"}) {
            std::error_code error;
            const auto size = std::filesystem::file_size(folder.path() + name, error);
            if (!error) bytes += size;
        }
        return bytes;
    }

    mensora::test::JournalFolder folder;
    mensora::test::FakeFileSystem pc;
    mensora::test::ManualWork reports;  // nothing to report: the calls stay queued
    mensora::SystemClock writerClock;
    mensora::WorkQueue* journalQueue = nullptr;
    std::unique_ptr<Rig> rig;

private:
    // The journal's writer on a thread of its own; the other doors wait, unused.
    std::unique_ptr<mensora::WorkQueue> queueFor(mensora::Door door) {
        if (door != mensora::Door::Journal) return reports.lend();
        auto queue = std::make_unique<mensora::ThreadWorkQueue>();
        journalQueue = queue.get();
        return queue;
    }
};

Bench& bench(bool journaled) {
    static Bench plain(false);
    static Bench withJournal(true);
    return journaled ? withJournal : plain;
}

void RecordingWithRecordsHeld(benchmark::State& state) {
    const bool journaled = state.range(0) != 0;
    const auto held = static_cast<std::uint32_t>(state.range(1));
    const std::uint32_t start = std::min(held, kRecordCapacity - kBatch);
    Bench& b = bench(journaled);
    b.rig->click(ClearButton);
    while (b.rig->store.count() < start) b.rig->click(ManualButton);
    if (journaled) b.waitForWriter();

    for (auto _ : state) b.rig->click(ManualButton);

    if (b.rig->store.count() != start + kBatch) state.SkipWithError("a recording was refused");
    state.SetLabel(std::string(journaled ? "journal" : "no journal") + ", records held " +
                   std::to_string(start) + " to " + std::to_string(start + kBatch - 1));
}
BENCHMARK(RecordingWithRecordsHeld)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 999'999})
    ->Args({1, 999'999})
    ->Iterations(kBatch)
    // Each repetition at 999,999 refills the store, and the journal with it, after a Clear.
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// A million records handed over as fast as the window makes them; the time until the last is
// committed gives the writer's rate, and the file then holds a full store.
void JournalOfAMillionRecords(benchmark::State& state) {
    for (auto _ : state) {
        Bench b(true);
        const auto started = std::chrono::steady_clock::now();
        while (!b.rig->store.full()) b.rig->click(ManualButton);
        b.waitForWriter();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        state.counters["records_per_second"] = kRecordCapacity / took.count();
        state.counters["journal_MB"] = static_cast<double>(b.journalBytes()) / 1e6;
        b.rig.reset();  // the journal's last entry is written as its queue ends
        state.counters["journal_MB_closed"] = static_cast<double>(b.journalBytes()) / 1e6;
    }
}
BENCHMARK(JournalOfAMillionRecords)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) { return mensora::runOffscreenBenchmarks(argc, argv); }
