// What a workbook of a full store costs: the program's workbook (rows read from the store, the
// summary, two charts, the copy into the record file) against libxlsxwriter writing the same
// record cells in a bare loop (goal: at most 1.2 times); the memory the save adds to the
// program at its peak (goal: within 120 MiB); and a batch of recordings while a million-record
// workbook is being written against the same batch without (goal: at most 1.5 times); and the
// workbook of the same records taken with a plan of 20 characteristics in force, which adds
// the parts sheet and the figures by characteristic, against the one without (goal: at most
// 1.3 times).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <xlsxwriter.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "base/control_ids.h"
#include "files/native_file_system.h"
#include "measure/plan_stamps.h"
#include "measure/plan_walk.h"
#include "measure/record_store.h"
#include "tests/support/dialog_rig.h"
#include "tests/workbook/sample_run.h"
#include "workbook/workbook_file.h"

namespace {

using namespace mensora;

constexpr std::uint32_t kMillion = kRecordCapacity;

struct SampleRun {
    AcquisitionState state;
    RecordStore store{kMillion};
    ChartData chartData;
    SampleRun() { test::fillSampleRun(kMillion, Language::English, state, store, chartData); }
    WorkbookContents contents() const {
        return workbookContents(state, store, chartData, test::sampleTraces(kMillion), test::kLotB);
    }
};

const SampleRun& sampleRun() {
    static const SampleRun run;
    return run;
}

// The sample run's records taken for the parts of a plan of 20 characteristics, one after the
// other: 50,000 parts.
struct PlanStampsOfTheRun {
    PlanStamps stamps{kMillion};
    WorkbookPlanParts planParts;
    PlanStampsOfTheRun() {
        InspectionPlan plan = test::samplePlan();
        plan.characteristics.resize(20, plan.characteristics.front());
        PlanWalk walk(plan);
        for (std::uint32_t i = 0; i < kMillion; ++i) {
            stamps.stamp(i, &walk);
            walk.recorded(Verdict::Ok);
        }
        planParts = {&stamps, stamps.parts(), walk.partStarted()};
    }
};

const WorkbookPlanParts& samplePlanParts() {
    static const PlanStampsOfTheRun run;
    return run.planParts;
}

std::string benchmarkPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The program's save: the workbook put together and copied into the record file that
// replaces the target, as the Save button's job does.
void WorkbookOfAMillionRecords(benchmark::State& state) {
    const SampleRun& run = sampleRun();
    const WorkbookContents contents = run.contents();
    NativeFileSystem files;
    const std::string scratch = benchmarkPath("mensora-benchmark-scratch.xlsx");
    const std::string target = benchmarkPath("mensora-benchmark.xlsx");
    const long before = peakResidentKiB();
    for (auto _ : state) {
        RecordFileOpening opening = files.createRecordFile(target);
        const WorkbookWriting writing =
            writeWorkbookFile(scratch, contents, [](std::uint32_t) { return true; });
        if (!opening.file || writing.end != WorkbookEnd::Written)
            state.SkipWithError("not written");
        std::FILE* in = std::fopen(scratch.c_str(), "rb");
        std::unique_ptr<char[]> block(new char[1 << 20]);
        std::size_t got = 0;
        while ((got = std::fread(block.get(), 1, 1 << 20, in)) > 0)
            opening.file->write(block.get(), got);
        std::fclose(in);
        if (opening.file->commit()) state.SkipWithError("not put in place");
    }
    state.counters["peak_MiB_added"] = static_cast<double>(peakResidentKiB() - before) / 1024.0;
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(target)) / (1024.0 * 1024.0);
    std::filesystem::remove(scratch);
    std::filesystem::remove(target);
}
BENCHMARK(WorkbookOfAMillionRecords)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

// The workbook file alone, of the records taken with a plan in force or without one; slow,
// so measured once.
void WorkbookOfAMillionRecordsWithAPlan(benchmark::State& state) {
    const SampleRun& run = sampleRun();
    const bool withPlan = state.range(0) != 0;
    const WorkbookContents contents =
        workbookContents(run.state, run.store, run.chartData, test::sampleTraces(kMillion),
                         test::kLotB, withPlan ? samplePlanParts() : WorkbookPlanParts{});
    const std::string path = benchmarkPath("mensora-benchmark-plan.xlsx");
    for (auto _ : state) {
        if (writeWorkbookFile(path, contents, [](std::uint32_t) { return true; }).end !=
            WorkbookEnd::Written)
            state.SkipWithError("not written");
    }
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    std::filesystem::remove(path);
    state.SetLabel(withPlan ? "a plan of 20 characteristics" : "no plan");
}
BENCHMARK(WorkbookOfAMillionRecordsWithAPlan)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

// The same record cells through libxlsxwriter with nothing around them: the values, formats
// and texts made once, outside the loop.
void BareLibraryLoop(benchmark::State& state) {
    const std::string path = benchmarkPath("mensora-benchmark-bare.xlsx");
    for (auto _ : state) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Records");
        lxw_format* places[2] = {workbook_add_format(book), workbook_add_format(book)};
        format_set_num_format(places[0], "0.000");
        format_set_num_format(places[1], "0.0000");
        lxw_format* time = workbook_add_format(book);
        format_set_num_format(time, "yyyy-mm-dd hh:mm:ss");
        const char* header[] = {"No",          "Value",          "Error", "Result",   "Time",
                                "Part number", "Characteristic", "Lot",   "Operator", "Gauge ID"};
        for (lxw_col_t c = 0; c < 10; ++c) worksheet_write_string(sheet, 0, c, header[c], nullptr);
        for (std::uint32_t i = 0; i < kMillion; ++i) {
            const lxw_row_t row = i + 1;
            const LocalDateTime t = test::sampleTime(i);
            lxw_datetime stamp{t.year, t.month, t.day, t.hour, t.minute, double(t.second)};
            worksheet_write_number(sheet, row, 0, row, nullptr);
            worksheet_write_number(sheet, row, 1, 12.0 + (i % 121) / 1000.0, places[i % 2]);
            worksheet_write_number(sheet, row, 2, (i % 121) / 1000.0, places[i % 2]);
            worksheet_write_string(sheet, row, 3, "OK", nullptr);
            worksheet_write_datetime(sheet, row, 4, &stamp, time);
            worksheet_write_string(sheet, row, 5, "P-100", nullptr);
            worksheet_write_string(sheet, row, 6, "Ø 12 ±0.045", nullptr);
            worksheet_write_string(sheet, row, 7, "LOT-B", nullptr);
            worksheet_write_string(sheet, row, 8, "张三", nullptr);
            worksheet_write_string(sheet, row, 9, "G-7", nullptr);
        }
        if (workbook_close(book) != LXW_NO_ERROR) state.SkipWithError("not written");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BareLibraryLoop)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

// A batch of recordings through the dialog's real wiring, with or without a million-record
// workbook being written on another thread meanwhile.
void RecordingWhileAWorkbookIsWritten(benchmark::State& state) {
    const bool saving = state.range(0) != 0;
    constexpr std::uint32_t kBatch = 10'000;
    test::DialogRig<> rig({}, kMillion);
    rig.setReading(12.345f, "12.345", 3);
    std::atomic<bool> done{false};
    std::thread writer;
    if (saving) {
        writer = std::thread([&done] {
            const std::string path = benchmarkPath("mensora-benchmark-during.xlsx");
            const WorkbookContents contents = sampleRun().contents();
            while (!done)
                writeWorkbookFile(path, contents, [&done](std::uint32_t) { return !done; });
            std::filesystem::remove(path);
        });
    }
    for (auto _ : state) {
        for (std::uint32_t i = 0; i < kBatch; ++i) rig.click(ManualButton);
        state.PauseTiming();
        rig.click(ClearButton);
        state.ResumeTiming();
    }
    done = true;
    if (writer.joinable()) writer.join();
    state.SetLabel(saving ? "while a workbook is written" : "alone");
}
BENCHMARK(RecordingWhileAWorkbookIsWritten)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
