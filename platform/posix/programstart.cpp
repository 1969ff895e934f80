#include "platform/programstart.h"

#include "platform/codepage.h"
#include "platform/commandline.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr const char* kDesktopOpener = "xdg-open";

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// The executable that name stands for: name itself when it holds a '/',
// else the first match on PATH; "" when there is none.
std::string FindExecutable(const std::string& name) {
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    const char* searchPath = std::getenv("PATH");
    std::string_view folders = searchPath != nullptr ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const size_t colon = folders.find(':');
        std::string folder(folders.substr(0, colon));
        if (folder.empty()) folder = ".";
        const std::string candidate = folder + "/" + name;
        if (IsExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        folders.remove_prefix(colon + 1);
    }
}

// The Windows file manager's name, with or without its extension, in any case.
bool IsFileManagerName(std::string_view program) {
    for (std::string_view name : {"explorer", "explorer.exe"}) {
        if (program.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) {
            char c = program[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            same = c == name[i];
        }
        if (same) return true;
    }
    return false;
}

// A program to execute: its file and its whole argument vector.
struct Command {
    std::string executable;
    std::vector<std::string> arguments; // arguments[0] is the program's name

    [[nodiscard]] std::vector<char*> Argv() const {
        std::vector<char*> argv;
        argv.reserve(arguments.size() + 1);
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        return argv;
    }
};

// The desktop's opener on target, or nullopt when the system has none.
std::optional<Command> DesktopOpener(const std::string& target) {
    std::string opener = FindExecutable(kDesktopOpener);
    if (opener.empty()) return std::nullopt;
    return Command{std::move(opener), {kDesktopOpener, target}};
}

// Runs command, or fallback when command cannot be executed, in a
// grandchild that the init process adopts, so it never becomes a zombie of
// ours and outlives us. Everything the child needs is prepared before fork:
// after it, only async-signal-safe calls are allowed in a threaded program.
void SpawnDetached(const Command& command, const std::optional<Command>& fallback) {
    const std::vector<char*> argv = command.Argv();
    const std::vector<char*> fallbackArgv = fallback ? fallback->Argv() : std::vector<char*>{};

    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            setsid();
            // The started program gets a clean start: none of our descriptors
            // (sockets, files) and default signal handling.
            close_range(3, ~0U, 0);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            signal(SIGPIPE, SIG_DFL);
            execv(command.executable.c_str(), argv.data());
            if (fallback) execv(fallback->executable.c_str(), fallbackArgv.data());
        }
        _exit(0);
    }
    if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
}

} // namespace

void StartProgramNow(const ProgramStart& start) {
    if (start.program.empty()) return;
    const std::string program = Cp932ToUtf8(start.program);
    std::vector<std::string> arguments{program};
    if (start.parameters) {
        if (start.parameterIsOnePath) {
            arguments.push_back(Cp932ToUtf8(*start.parameters));
        } else {
            for (const std::string& argument : SplitCommandLine(*start.parameters))
                arguments.push_back(Cp932ToUtf8(argument));
        }
    }
    if (IsFileManagerName(program)) {
        const char* home = std::getenv("HOME");
        const std::string folder =
            arguments.size() > 1 ? arguments[1] : std::string(home != nullptr ? home : "/");
        if (const std::optional<Command> opener = DesktopOpener(folder))
            SpawnDetached(*opener, std::nullopt);
        return;
    }
    std::string executable = FindExecutable(program);
    if (executable.empty()) {
        // A document or a folder: the desktop picks its application, as a
        // Windows file association would.
        if (const std::optional<Command> opener = DesktopOpener(program))
            SpawnDetached(*opener, std::nullopt);
        return;
    }
    // A document opened without parameters may carry the execute bit and
    // still be no program (every file on a FAT stick does): when it cannot
    // be executed, the desktop opens it instead.
    const std::optional<Command> fallback =
        start.parameters ? std::nullopt : DesktopOpener(program);
    SpawnDetached(Command{std::move(executable), std::move(arguments)}, fallback);
}

} // namespace platform
