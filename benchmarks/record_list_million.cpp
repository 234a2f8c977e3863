// A full shift's worth of records through the real window: a million recordings through the
// dialog into the window's record list (offscreen), scrolled to the end after each one, with
// the event loop painting every thousand records. Reports the total time and the process's
// peak resident memory.
#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include "base/control_ids.h"
#include "benchmarks/offscreen_benchmarks.h"
#include "tests/support/dialog_rig.h"
#include "ui/main_window.h"

namespace {

using mensora::kRecordCapacity;
using WindowRig = mensora::test::DialogRig<mensora::MainWindow>;

constexpr std::uint32_t kRecordsPerPaint = 1000;

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void AppendMillionRecordsThroughTheListView(benchmark::State& state) {
    auto rig =
        std::make_unique<WindowRig>(mensora::test::StoredSettings{{"COMBO1", 1}}, kRecordCapacity);
    rig->setReading(12.345f, "12.345", 3);
    auto* view = rig->window.findChild<QTableView*>();
    rig->window.show();
    QApplication::processEvents();

    for (auto _ : state) {
        for (std::uint32_t i = 0; i < kRecordCapacity; ++i) {
            rig->click(mensora::ManualButton);
            if ((i + 1) % kRecordsPerPaint == 0) QApplication::processEvents();
        }
    }
    const int rows = view != nullptr ? view->model()->rowCount() : 0;
    if (rows != static_cast<int>(kRecordCapacity)) {
        state.SkipWithError("the list does not show every record");
    }
    state.counters["rows"] = rows;
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(AppendMillionRecordsThroughTheListView)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return mensora::runOffscreenBenchmarks(argc, argv); }
