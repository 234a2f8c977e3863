// The quality charts must cost a recording nothing it would notice. Each run makes a batch
// of recordings through the whole program (the Manual command, the record list in the main
// window, the charts kept up to date as always), with the charts window closed (0) or open
// (1). Only the recordings are timed; the event loop turns after each, as it does between
// recordings in the program, so that the main window paints and an open charts window
// redraws (ten times a second at most) between them. Closed against open gives the price of
// the window.
//
// The last benchmark records a million readings through the whole program, with the charts
// window closed (0) or open (1), and reports the peak resident memory. The peak is the
// process's own, so run each alone:
//   benchmark_charts_recording --benchmark_filter=MillionRecords/0
//   benchmark_charts_recording --benchmark_filter=MillionRecords/1
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>

#include "base/control_ids.h"
#include "charts/chart_data.h"
#include "ui/mensora_program.h"

namespace {

using namespace mensora;

constexpr std::uint32_t kBatch = 5'000;

double peakResidentMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kibibytes on Linux
}

void RecordWithChartsWindow(benchmark::State& state) {
    const bool open = state.range(0) != 0;
    MensoraProgram program;
    program.window().show();
    if (open) program.window().action(mensora::FurtherWindow::Charts)->trigger();
    QApplication::processEvents();

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        program.dialog().onCommand(ManualButton);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        QApplication::processEvents();
    }
    if (program.chartData().values().size() != program.store().count()) {
        state.SkipWithError("the charts lost a record");
    }
    state.SetLabel(open ? "charts open" : "charts closed");
}
BENCHMARK(RecordWithChartsWindow)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(kBatch)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void MillionRecords(benchmark::State& state) {
    const bool open = state.range(0) != 0;
    MensoraProgram program;
    program.window().show();
    if (open) program.window().action(mensora::FurtherWindow::Charts)->trigger();
    QApplication::processEvents();
    for (auto _ : state) {
        for (std::uint32_t i = 0; i < kRecordCapacity; ++i) {
            program.dialog().onCommand(ManualButton);
            if ((i + 1) % 1000 == 0) QApplication::processEvents();
        }
    }
    // Let the charts draw the whole store once more.
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < settle) QApplication::processEvents();
    if (program.chartData().values().size() != kRecordCapacity) {
        state.SkipWithError("the charts do not hold every record");
    }
    state.counters["records"] = program.chartData().values().size();
    state.counters["peak_rss_MiB"] = peakResidentMebibytes();
    state.SetLabel(open ? "charts open" : "charts closed");
}
BENCHMARK(MillionRecords)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program reads and writes its settings: a throw-away folder, never the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
