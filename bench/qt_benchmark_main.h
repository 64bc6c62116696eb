// The main function of the benchmarks that paint: an offscreen Qt application (unless a
// platform is chosen), then Google Benchmark with the benchmarks `registerBenchmarks` adds.
#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

template <typename Register> int runQtBenchmarks(int argc, char** argv, Register registerBenchmarks)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
