// The main of a benchmark that drives Qt pages and dialogs.
#pragma once

#include "bench/benchcommon.h"
#include "platform/memoryreuse.h"

#include <QApplication>

#include <stdlib.h>

#include <filesystem>

namespace bench {

// The benchmarks of one program, given its options and the folder its data
// lives in; returns the program's exit code (Report::ExitCode).
using QtBenchmarks = int (*)(const Options& options, const std::filesystem::path& root);

// Reads the options from the command line, makes the application on the
// offscreen platform (unless QT_QPA_PLATFORM names another) and the data
// folder, and returns what run returns. The heap keeps what it frees, as
// the program's own start sets it.
inline int RunQtBenchmarks(int argc, char** argv, QtBenchmarks run) {
    platform::KeepFreedMemoryForReuse();
    const Options options = ReadOptions(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const DataFolder data(options);
    return run(options, data.Path());
}

} // namespace bench
