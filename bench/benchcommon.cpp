#include "benchcommon.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>

extern char** environ;

namespace bench {

double Seconds(const std::function<void()>& action) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Median(const std::function<void()>& action, const std::function<void()>& prepare) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        if (prepare) prepare();
        times.push_back(Seconds(action));
    }
    return MedianOf(std::move(times));
}

void Run(std::vector<std::string> arguments, const std::string& inputFile) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!inputFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inputFile.c_str(), O_RDONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

void Touch(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) close(fd);
}

} // namespace bench
