// Loaded into a Qt program with LD_PRELOAD by the start benchmark, so that the program it
// measures is the one the user starts, unchanged. Once the first window has been painted it
// prints the moment (CLOCK_MONOTONIC, the clock the benchmark started the process by) and
// the window's size and the process's peak memory so far, and quits. With
// MENSORA_BENCH_RECORDS=n it then first presses the window's Manual button n times, letting
// the window paint every thousand records, as a long shift fills the record list; with
// MENSORA_BENCH_IDLE_MS=t it lets the program run on its own for t ms before quitting.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "base/control_ids.h"

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long numberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    return text == nullptr ? 0 : std::strtol(text, nullptr, 10);
}

// The process's peak resident memory so far, in KiB (VmHWM).
long peakKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

// Presses Manual as the user would, though no gauge has enabled it: the window then records
// the current reading, and the list shows each new row.
long pressManual(QWidget* window, long records) {
    auto* manual = window->findChild<QAbstractButton*>(
        QString::number(static_cast<int>(mensora::ManualButton)));
    if (manual == nullptr) return 0;
    manual->setEnabled(true);
    for (long i = 0; i < records; ++i) {
        manual->click();
        if ((i + 1) % 1000 == 0) QCoreApplication::processEvents();
    }
    return records;
}

void reportAndQuit(QWidget* window) {
    const long long shown = monotonicNanoseconds();
    std::printf("shown_ns %lld\nwidth %d\nheight %d\npeak_kib_shown %ld\n", shown, window->width(),
                window->height(), peakKib());
    std::printf("records %ld\n",
                pressManual(window, numberFromEnvironment("MENSORA_BENCH_RECORDS")));
    std::fflush(stdout);
    QTimer::singleShot(static_cast<int>(numberFromEnvironment("MENSORA_BENCH_IDLE_MS")), qApp,
                       [] { QCoreApplication::exit(0); });
}

// Waits for the first paint of a window, then lets that paint finish before reporting.
class FirstPaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) {
                done_ = true;
                QTimer::singleShot(0, qApp, [widget] { reportAndQuit(widget); });
            }
        }
        return false;
    }

private:
    bool done_ = false;
};

void watchForFirstPaint() { qApp->installEventFilter(new FirstPaintWatch); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)
