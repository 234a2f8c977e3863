// Writing a full store (1,000,000 records, 52,000,028 bytes) as a record file, against a
// plain write of a buffer of the same size to the same folder in the same run. The record
// file is written to a file of its own, synced and renamed over the target; the plain write
// is measured with and without its sync, so the ratio compares like with like.
//
// The folder is a fresh one under the system's temporary folder (TMPDIR to choose another
// disk).

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/native_file_system.h"
#include "files/record_file_format.h"
#include "measure/record_store.h"

namespace mensora {
namespace {

constexpr std::size_t kFullFileBytes = 28 + 52 * std::size_t{kRecordCapacity};

std::filesystem::path benchFolder() {
    static const std::filesystem::path folder = [] {
        auto made = std::filesystem::temp_directory_path() /
                    ("mensora-benchmark-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

const RecordStore& fullStore() {
    static RecordStore store;
    if (store.count() == 0) {
        RecordFields fields{};
        const std::string_view value = "12.345  ", error = "  10.345";
        const std::string_view result = "\xB3\xAC\xB2\xEE", time = "2026-12-07; 09:00:00";
        std::copy(value.begin(), value.end(), fields.value.begin());
        std::copy(error.begin(), error.end(), fields.error.begin());
        std::copy(result.begin(), result.end(), fields.result.begin());
        std::copy(time.begin(), time.end(), fields.time.begin());
        for (std::uint32_t n = 1; n <= kRecordCapacity; ++n) {
            fields.seq = formatSequence(n);
            store.append(fields);
        }
    }
    return store;
}

void recordFile(benchmark::State& state) {
    const RecordStore& store = fullStore();
    NativeFileSystem files;
    const std::string target = (benchFolder() / "bak20261207.xls").string();
    for (auto _ : state) {
        RecordFileOpening opening = files.createRecordFile(target);
        if (!opening.file || writeRecordFile(*opening.file, store, Language::Chinese) ||
            opening.file->commit()) {
            state.SkipWithError("writing the record file failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFullFileBytes));
}

void plainWrite(benchmark::State& state, bool sync) {
    const std::vector<char> buffer(kFullFileBytes, 'x');
    const std::string target = (benchFolder() / "plain.bin").string();
    for (auto _ : state) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool ok = fd >= 0;
        std::size_t done = 0;
        while (ok && done < buffer.size()) {
            const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
            ok = n > 0;
            if (ok) done += static_cast<std::size_t>(n);
        }
        if (ok && sync) ok = ::fsync(fd) == 0;
        if (fd >= 0) ok = ::close(fd) == 0 && ok;
        if (!ok) {
            state.SkipWithError("plain write failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFullFileBytes));
}

BENCHMARK(recordFile)
    ->Name("record_file/1000000_records")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(plainWrite, synced, true)
    ->Name("plain_write/52000028_bytes_synced")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(plainWrite, unsynced, false)
    ->Name("plain_write/52000028_bytes_unsynced")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Prints the usual table, then the record file's time over each plain write's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds_[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto record = seconds_.find("record_file/1000000_records/real_time");
        if (record == seconds_.end()) return;
        for (const auto& [name, seconds] : seconds_) {
            if (name.rfind("plain_write", 0) != 0) continue;
            std::printf("record file / %s: %.1f ms / %.1f ms = %.2fx\n", name.c_str(),
                        record->second * 1e3, seconds * 1e3, record->second / seconds);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace mensora

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    mensora::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(mensora::benchFolder(), ignored);
    return 0;
}
