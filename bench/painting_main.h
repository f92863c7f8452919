#pragma once

// main() of the benchmarks that paint with Qt: on the offscreen platform unless another is named,
// with a QGuiApplication for the fonts of the labels.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace hygrovane::bench {

inline int RunPaintingBenchmarks(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace hygrovane::bench
