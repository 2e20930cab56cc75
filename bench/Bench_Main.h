#pragma once
// What the benchmark programs' main() functions share.

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

// Qt draws on the offscreen platform unless the environment names another one.
inline void Default_To_Offscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the registered benchmarks with the options of the command line; 1 for an unknown option.
inline int Run_Benchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
