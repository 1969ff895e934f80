// Start-up as the user waits for it: from starting the program until its
// main window has been shown and painted with the file page's start folder
// (20 files) in it, against a minimal Qt Widgets program that shows the
// same first content in a window of the same size (the list's Japanese
// header and the folder's rows with their icons; samecontentwindow.cpp),
// started alike, in alternate rounds. An empty window would leave out what
// any program showing that content pays for: the Japanese font, the icon
// theme, the list. The program's settings give its window that size before
// each round (a first start would make it as tall as the screen). Each
// program says when it has painted through the descriptor named by
// TAMBLE_PAINTED_FD, and is then ended with SIGTERM; the program must end
// cleanly (exit code 0). Both run on the display and the session bus this
// benchmark runs with (scripts/bench gives it a session bus of its own).
#include "bench/benchcommon.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kStartFiles = 20;
// The reference window's size (samecontentwindow.cpp), frame included:
// without a window manager there is none.
constexpr const char* kWindowPlace = "[Position]\nLeft=0\nTop=0\nWidth=273\nHeight=537\n";
constexpr int kPaintedFd = 3;
constexpr int kPatienceMs = 30000;

// How one start went.
struct Start {
    bool painted = false;
    Clock::time_point paintedAt; // when the paint was reported
    int exitCode = -1;           // after SIGTERM; -1 when ended by the signal
};

// Starts program with arguments and extraEnv added to this environment,
// waits for its paint, then ends it.
Start StartProgram(std::vector<std::string> arguments, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> environment(extraEnv);
    environment.push_back("TAMBLE_PAINTED_FD=" + std::to_string(kPaintedFd));
    for (char** variable = environ; *variable != nullptr; ++variable)
        environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    Start result;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], kPaintedFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (spawned == 0) {
        pollfd wait{ends[0], POLLIN, 0};
        char line[16] = {};
        result.painted = poll(&wait, 1, kPatienceMs) == 1 &&
                         read(ends[0], line, sizeof line - 1) > 0 &&
                         std::string(line) == "painted\n";
        result.paintedAt = Clock::now();
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    close(ends[0]);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const bench::Options options = bench::ReadOptions(argc, argv);
    const bench::DataFolder data(options);
    bench::Report report(options);
    const fs::path folder = data.Path() / "start-20";
    fs::create_directories(folder);
    for (int i = 0; i < kStartFiles; ++i)
        bench::Touch(folder / ("file" + std::to_string(i) + ".txt"));
    const fs::path config = data.Path() / "start-config";
    const fs::path runtime = data.Path() / "start-runtime";
    fs::create_directories(config);
    fs::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    // Its own settings and instance lock, so that a Tamble running on this
    // desktop neither takes the start over nor is touched.
    const std::vector<std::string> environment{"TAMBLE_CONFIG_DIR=" + config.string(),
                                               "XDG_RUNTIME_DIR=" + runtime.string()};
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    report.Note(bus != nullptr && *bus != '\0'
                    ? "session bus: present"
                    : "session bus: none (run under dbus-run-session for one)");

    Start program;
    Start reference;
    const auto times = bench::Interleave(
        {[&] {
             program = StartProgram({TAMBLE_PROGRAM, folder.string()}, environment);
         },
         [&] { std::ofstream(config / "tamble.ini", std::ios::binary) << kWindowPlace; },
         [&] {
             report.Check(program.painted, "Tamble never reported its window painted");
             report.Check(program.exitCode == 0, "Tamble did not end cleanly on SIGTERM");
         },
         [&] { return program.paintedAt; }},
        {[&] {
             reference = StartProgram({SAME_CONTENT_PROGRAM, folder.string()}, environment);
         },
         {},
         [&] {
             report.Check(reference.painted, "the same-content window never reported its paint");
         },
         [&] { return reference.paintedAt; }},
        report.Rounds());
    report.Ratio("start-up / same-content window", times.ours, times.theirs, 1.3,
                 bench::Milliseconds(times.ours) + " / " + bench::Milliseconds(times.theirs));
    return report.ExitCode();
}
