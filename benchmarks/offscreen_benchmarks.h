#pragma once
// The main of a benchmark program that needs a Qt application: offscreen unless the caller
// names a platform, and the benchmarks run inside the application's lifetime.

#include <QApplication>
#include <benchmark/benchmark.h>

namespace mensora {

inline int runOffscreenBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace mensora
