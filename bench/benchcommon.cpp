#include "bench/benchcommon.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

extern char** environ;

namespace bench {
namespace {

std::vector<char*> Argv(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

int Wait(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// This process's environment with extra ("NAME=value") put first, where
// the C library's getenv, which takes the first match, finds them.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> environment(extra);
    for (char** variable = environ; *variable != nullptr; ++variable)
        environment.emplace_back(*variable);
    return environment;
}

// Starts arguments with the given file actions and environment (this
// process's when null); 0 when it could not start.
pid_t Spawn(std::vector<std::string>& arguments, posix_spawn_file_actions_t& actions,
            std::vector<std::string>* environment = nullptr) {
    std::vector<char*> argv = Argv(arguments);
    std::vector<char*> envp;
    if (environment != nullptr) envp = Argv(*environment);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(),
                     environment != nullptr ? envp.data() : environ) != 0)
        return 0;
    return pid;
}

// The middle value of times, which must not be empty.
double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--smoke") {
            options.smoke = true;
        } else if (!argument.empty() && argument[0] != '-' && options.dataFolder.empty()) {
            options.dataFolder = argument;
        } else {
            std::fprintf(stderr, "usage: %s [--smoke] [FOLDER]\n", argv[0]);
            std::exit(2);
        }
    }
    return options;
}

DataFolder::DataFolder(const Options& options) {
    if (!options.dataFolder.empty()) {
        path_ = options.dataFolder;
        std::filesystem::create_directories(path_);
        return;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "tamble-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    path_ = pattern;
    temporary_ = true;
}

DataFolder::~DataFolder() {
    std::error_code ignored;
    if (temporary_) std::filesystem::remove_all(path_, ignored);
}

Medians Interleave(const Timed& ours, const Timed& theirs, int rounds) {
    const std::vector<double> medians = InterleaveAll({ours, theirs}, rounds);
    return {medians[0], medians[1]};
}

std::vector<double> InterleaveAll(const std::vector<Timed>& sides, int rounds) {
    std::vector<std::vector<double>> times(sides.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < sides.size(); ++i) {
            const Timed& side = sides[i];
            if (side.prepare) side.prepare();
            const auto start = std::chrono::steady_clock::now();
            side.action();
            const auto end = side.endedAt ? side.endedAt() : std::chrono::steady_clock::now();
            times[i].push_back(std::chrono::duration<double>(end - start).count());
            if (side.check) side.check();
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& sideTimes : times)
        medians.push_back(rounds > 0 ? MedianOf(std::move(sideTimes)) : 0);
    return medians;
}

bool Report::Check(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("WRONG RESULT: %s\n", what.c_str());
        failed_ = true;
    }
    std::fflush(stdout);
    return ok;
}

void Report::Ratio(const std::string& name, double ours, double theirs, double target,
                   const std::string& detail) {
    const double ratio = theirs > 0 ? ours / theirs : 0;
    const char* verdict = "ok";
    if (smoke_) {
        verdict = "(smoke run: not judged)";
    } else if (!(theirs > 0) || ratio > target) {
        verdict = "MISSED";
        failed_ = true;
    }
    std::printf("%-30s ratio %6.3f  target <= %.2f  %s%s%s\n", name.c_str(), ratio, target, verdict,
                detail.empty() ? "" : "   ", detail.c_str());
    std::fflush(stdout);
}

void Report::Note(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::string Milliseconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1e3);
    return text;
}

int Run(std::vector<std::string> arguments, const std::string& inputFile,
        const std::string& outputFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string output = outputFile.empty() ? "/dev/null" : outputFile;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!inputFile.empty())
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inputFile.c_str(), O_RDONLY, 0);
    const pid_t pid = Spawn(arguments, actions);
    posix_spawn_file_actions_destroy(&actions);
    return pid == 0 ? -1 : Wait(pid);
}

int RunPiped(std::vector<std::string> first, std::vector<std::string> second,
             const std::vector<std::string>& environment) {
    std::vector<std::string> variables = EnvironmentWith(environment);
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t writer;
    posix_spawn_file_actions_init(&writer);
    posix_spawn_file_actions_adddup2(&writer, pipeEnds[1], STDOUT_FILENO);
    const pid_t firstPid = Spawn(first, writer, &variables);
    posix_spawn_file_actions_destroy(&writer);

    posix_spawn_file_actions_t reader;
    posix_spawn_file_actions_init(&reader);
    posix_spawn_file_actions_adddup2(&reader, pipeEnds[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&reader, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const pid_t secondPid = Spawn(second, reader, &variables);
    posix_spawn_file_actions_destroy(&reader);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    const int firstStatus = firstPid == 0 ? -1 : Wait(firstPid);
    const int secondStatus = secondPid == 0 ? -1 : Wait(secondPid);
    return firstStatus == 0 ? secondStatus : -1;
}

std::vector<std::string> OutputLines(std::vector<std::string> arguments) {
    char name[] = "/tmp/tamble-bench-output-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return {};
    close(fd);
    std::vector<std::string> lines;
    if (Run(std::move(arguments), {}, name) == 0) {
        std::ifstream in(name, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    unlink(name);
    return lines;
}

std::filesystem::path CacheFolder(const Options& options) {
    std::filesystem::path folder = options.dataFolder;
    if (folder.empty()) {
        const char* cache = std::getenv("XDG_CACHE_HOME");
        const char* home = std::getenv("HOME");
        if (cache != nullptr && *cache == '/') {
            folder = cache;
        } else if (home != nullptr && *home != '\0') {
            folder = std::filesystem::path(home) / ".cache";
        } else {
            folder = std::filesystem::temp_directory_path();
        }
        folder /= "tamble-bench";
    }
    std::filesystem::create_directories(folder);
    return folder;
}

bool HasRoomFor(const std::filesystem::path& folder, unsigned long long files,
                unsigned long long bytes) {
    struct statvfs room {};
    if (statvfs(folder.c_str(), &room) != 0) return false;
    // A file system that makes inodes as it needs them (btrfs) counts none.
    const bool inodesEnough =
        room.f_files == 0 || static_cast<unsigned long long>(room.f_favail) >= files;
    return inodesEnough && static_cast<unsigned long long>(room.f_bavail) * room.f_frsize >= bytes;
}

void Touch(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) close(fd);
}

void WritePattern(const std::filesystem::path& path, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 31 + i / 977);
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long long PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

} // namespace bench
