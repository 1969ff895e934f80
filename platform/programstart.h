// Starting another program, the one way Tamble does it: detached, never
// waited for, never through a shell, and never reported when it fails.
// Every text is CP932 bytes; the implementation converts at the OS edge.
//
// On POSIX a program that is an executable file (by path, or by name found
// on PATH) runs with its arguments; anything else - a document, a folder -
// opens with the desktop's default application (xdg-open). The program
// name "explorer" opens the desktop's file manager on the folder that the
// parameter names.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// How the started program's window should show (ignored where the window
// system has no such request).
enum class ShowCommand {
    Normal = 1, // SW_SHOWNORMAL
    Show = 5,   // SW_SHOW
};

struct ProgramStart {
    std::string program;                   // file to start or open
    std::optional<std::string> parameters; // nullopt: no parameter text at all
    // true: the parameter text is one path and becomes one argument as it
    // is, blanks and quotes included; false: it is a command line, split by
    // SplitCommandLine.
    bool parameterIsOnePath = false;
    ShowCommand show = ShowCommand::Show;

    bool operator==(const ProgramStart&) const = default;
};

using ProgramStarter = std::function<void(const ProgramStart&)>;

// Starts the program (or hands the request to the starter installed by
// SetProgramStarter). Returns at once; failures are silent.
void StartProgram(const ProgramStart& start);

// Replaces the real start by starter for every later StartProgram, so tests
// can record the requests; an empty starter restores the real start.
void SetProgramStarter(ProgramStarter starter);

// The real start, whatever starter is installed: each system's own way of
// starting a program or opening a document.
void StartProgramNow(const ProgramStart& start);

// The window (a handle; 0 for none) that owns whatever the system shows
// while it starts a program (Windows: the shell's error or security boxes),
// so that they open above it also while it stays on top. Elsewhere unused.
void SetProgramStartOwner(uintptr_t window);
[[nodiscard]] uintptr_t ProgramStartOwner();

} // namespace platform
