// A start on a journal of 3,000,000 saved records older than JournalDays (MENSORA_PRUNE_ROWS
// sets another number): how long a record taken meanwhile waits for its commit while the old
// rows are pruned a slice at a time, against how long one DELETE of them all holds the file's
// write lock (what the start did before the pruning was sliced).
//  - record_wait_max_ms: the longest any record taken every 20 ms during the pruning waited
//    between being handed over and being on disk;
//  - prune_sliced_s: the start until the last slice;
//  - prune_whole_s: the same rows dropped by one statement in one transaction.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "base/thread_work_queue.h"
#include "journal/journal.h"
#include "tests/support/manual_work.h"
#include "tests/unit/journal/journal_bench.h"
#include "tests/support/journal_query.h"
#include "ui/system_clock.h"

namespace {

using Clock = std::chrono::steady_clock;
using mensora::test::queryJournal;

long long rowsToPrune() {
    const char* rows = std::getenv("MENSORA_PRUNE_ROWS");
    return rows != nullptr ? std::atoll(rows) : 3'000'000;
}

// A journal whose rows are all saved and 400 days old.
void fillJournal(mensora::test::FakeFileSystem& pc, const std::string& path, long long rows) {
    {
        mensora::test::JournalBench made(pc, *pc.userData);
        made.close();
    }
    queryJournal(path, "INSERT INTO journal_mark (list_id, kind, up_to, at) VALUES (7, 1, 1e9, 0)");
    queryJournal(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                           std::to_string(rows) +
                           ") INSERT INTO journal_entry (list_id, number, value_text, value, error,"
                           " places, verdict, language, taken, parameters_id, trace_id)"
                           " SELECT 7, i, '12.345', 12.345, 0, 3, 0, 1,"
                           " unixepoch('now') - 400 * 86400, 1, 1 FROM n");
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_StartOnAnOldJournal(benchmark::State& state) {
    const long long rows = rowsToPrune();
    for (auto _ : state) {
        const mensora::test::JournalFolder folder;
        mensora::test::FakeFileSystem pc;
        pc.userData = folder.path();
        const std::string path = folder.path() + "journal.db";
        fillJournal(pc, path, rows);
        std::filesystem::copy_file(path, folder.path() + "whole.db");

        mensora::SystemClock clock;
        mensora::test::ManualWork reports;  // nothing on a window here: reports are dropped
        double longestWait = 0;
        Clock::time_point started;
        {
            mensora::ThreadWorkQueue work;
            mensora::Journal journal(pc, work, reports, clock);
            started = Clock::now();
            journal.open(clock.localNow(), 30, {});
            for (std::uint32_t number = 1;; ++number) {
                mensora::JournalRecord record;
                record.number = number;
                record.valueText = "1.000";
                record.takenAt = mensora::formatTimeStamp(clock.localNow());
                const std::int64_t before = journal.progress().lastSequence;
                const auto handed = Clock::now();
                journal.add(record);
                while (journal.progress().lastSequence == before) std::this_thread::yield();
                longestWait = std::max(longestWait, seconds(Clock::now() - handed));
                if (queryJournal(path, "SELECT count(*) < 100 FROM journal_entry") ==
                    std::vector<std::string>{"1"}) {
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        const double sliced = seconds(Clock::now() - started);
        const auto wholeStarted = Clock::now();
        queryJournal(folder.path() + "whole.db",
                     "DELETE FROM journal_entry WHERE taken < unixepoch('now') - 30 * 86400"
                     " AND number <= (SELECT coalesce(max(m.up_to), 0) FROM journal_mark m"
                     " WHERE m.list_id = journal_entry.list_id AND m.kind IN (1, 2))"
                     " AND coalesce(seq <= (SELECT up_to FROM plant_sent), 1)");
        const double whole = seconds(Clock::now() - wholeStarted);
        state.counters["rows"] = static_cast<double>(rows);
        state.counters["record_wait_max_ms"] = longestWait * 1000;
        state.counters["prune_sliced_s"] = sliced;
        state.counters["prune_whole_s"] = whole;
    }
}
BENCHMARK(BM_StartOnAnOldJournal)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
