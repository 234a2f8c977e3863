// A full shift's worth of records through the real list: a million recordings into the
// record list model shown by a QTableView (offscreen), scrolled to the end after each one as
// the window does, with the event loop painting every thousand records. Reports the total
// time and the process's peak resident memory.
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "base/texts.h"
#include "bench/recording_rig.h"

namespace {

using mensora::kRecordCapacity;
using mensora::bench::RecordingRig;

constexpr std::uint32_t kRecordsPerPaint = 1000;

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void AppendMillionRecordsThroughTheListView(benchmark::State& state) {
    // Set up as the window sets up its record list: one line per row, no row headers.
    QTableView view;
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setWordWrap(false);
    QHeaderView* rows = view.verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view.fontMetrics().height() + 4);
    // Scrolling by whole items makes every scroll to the end walk the position of every row
    // (the header recomputes them after each insertion): the cost of a record would grow
    // with the rows held. By pixels the scroll is one offset.
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.resize(480, 600);
    auto rig = std::make_unique<RecordingRig>(&view);
    view.setModel(&rig->model);
    rig->window.setUpRecordList(mensora::Language::Chinese);
    for (int column = 0; column < 5; ++column) {
        view.setColumnWidth(column, mensora::texts::kListColumns[column].chineseWidth);
    }
    view.show();
    QApplication::processEvents();

    for (auto _ : state) {
        for (std::uint32_t i = 0; i < kRecordCapacity; ++i) {
            rig->recorder.recordMeasurement();
            if ((i + 1) % kRecordsPerPaint == 0) QApplication::processEvents();
        }
    }
    if (rig->model.rowCount() != static_cast<int>(kRecordCapacity)) {
        state.SkipWithError("the list does not show every record");
    }
    state.counters["rows"] = rig->model.rowCount();
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(AppendMillionRecordsThroughTheListView)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
