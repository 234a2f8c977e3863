// What recording at the fastest pace costs the machine: the whole program with its real window
// (offscreen), real timers and serial port, linked to the virtual gauge on a pseudo-terminal
// mapped to COM1, first connected and idle, then recording by Auto every 10 ms. Reports the
// process's CPU time per second (user and system, all threads) in both phases, their ratio,
// and the records per second the program kept. Each phase is one iteration of real time.
//
//   benchmark_auto_recording [--seconds N]   (recording time, default 20; idle is half of it)
#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "base/control_ids.h"
#include "benchmarks/offscreen_benchmarks.h"
#include "measure/record_store.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace {

using namespace mensora;
using namespace std::chrono_literals;

int recordingSeconds = 20;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// What one phase cost: CPU seconds per second of it, and the records it took per second.
struct Phase {
    double cpuShare = 0;
    double recordsPerSecond = 0;
    double cpuMsPerRecord = 0;  // of the whole process, idle share included
};

// Lets the program run on its own for a while, as a bench leaves it.
Phase runFor(const MensoraProgram& program, int seconds) {
    const std::uint32_t recordsBefore = program.store().count();
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;
    const auto records = static_cast<double>(program.store().count() - recordsBefore);
    return {cpu / elapsed, records / elapsed, records > 0 ? cpu * 1000.0 / records : 0.0};
}

void AutoRecordingAt10ms(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QProcess gauge;
    gauge.start(MENSORA_GAUGE_EXE, {"--quiet"});
    if (!gauge.waitForStarted(5000) || !gauge.waitForReadyRead(5000)) {
        state.SkipWithError("the virtual gauge does not start");
        return;
    }
    const QString device = QString::fromUtf8(gauge.readLine()).trimmed();
    {
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                        QCoreApplication::applicationName());
        bench.setValue("Settings/ComID", 1);
        // Stored as the period, it is taken as it stands: the fastest recording the program
        // allows (only confirming the parameters panel raises a period to 100 ms).
        bench.setValue("Settings/m_Text12", 10);
        bench.setValue("Ports/COM1", device);
    }

    MensoraProgram program;
    MainWindow& window = program.window();
    window.show();
    const auto click = [&window](int id) {
        qobject_cast<QAbstractButton*>(window.control(id))->click();
    };
    click(ConnectButton);
    if (!runEventsUntil([&] { return program.dialog().state().linkConnected != 0; }, 10s)) {
        state.SkipWithError("no link to the virtual gauge");
        return;
    }
    Phase idle, recording;
    for (auto _ : state) {
        idle = runFor(program, recordingSeconds / 2);
        click(AutoButton);
        recording = runFor(program, recordingSeconds);
        click(AutoButton);
    }
    state.counters["idle_cpu_%"] = idle.cpuShare * 100.0;
    state.counters["recording_cpu_%"] = recording.cpuShare * 100.0;
    state.counters["ratio_to_idle"] = recording.cpuShare / idle.cpuShare;
    state.counters["records_per_s"] = recording.recordsPerSecond;
    state.counters["cpu_ms_per_record"] = recording.cpuMsPerRecord;
    gauge.terminate();
    gauge.waitForFinished(5000);
}
BENCHMARK(AutoRecordingAt10ms)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0) recordingSeconds = std::atoi(argv[i + 1]);
    }
    return runOffscreenBenchmarks(argc, argv);
}
