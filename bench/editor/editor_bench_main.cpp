// The editor benchmarks run on the offscreen platform inside one QApplication. With
// --memory NODES the program measures resident memory instead and prints it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>
#include <string>

#include "editor/editor_memory.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
        return tw::bench::ReportEditorMemory(std::stoll(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
