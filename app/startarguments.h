// What the program's command line asks for. Read before anything else
// starts, so that --help and --version need neither a display nor the
// single-instance lock.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tamble {

struct StartArguments {
    enum class Action {
        Run,         // start (or hand path to the running instance)
        ShowHelp,    // print HelpText() and exit 0
        ShowVersion, // print VersionText() and exit 0
        Refuse,      // print error and HelpHint() and exit kUsageExitCode
    };
    Action action = Action::Run;
    // The folder or project file to show, as given (native bytes); none
    // when the command line names no path.
    std::optional<std::string> path;
    // Why the command line was refused (Refuse only).
    std::string error;
};

// Exit code of a refused command line (that of most command-line tools).
inline constexpr int kUsageExitCode = 2;

// Reads the arguments after the program name. Accepted:
//   -h, --help      ShowHelp (wins over everything after it)
//   --version       ShowVersion
//   --              every argument after it is a path, even one starting with "-"
//   PATH            at most one
// Anything else starting with "-" ("-x", "--verbose", "-" alone) is refused
// with an error naming it, as are a second path and an empty path.
[[nodiscard]] StartArguments ReadStartArguments(const std::vector<std::string>& arguments);

// What a path given at start (or handed over by a second start) is shown as.
enum class StartPathKind {
    Folder,      // shown in the file view
    ProjectFile, // an existing file named *.prj (any letter case): opened as the project
    OtherFile,   // any other existing file: its folder is shown in the file view
    Missing,     // nothing there, or it cannot be looked at
};

// Looks at nativePath (file-system bytes; symbolic links followed).
[[nodiscard]] StartPathKind KindOfStartPath(const std::string& nativePath);

// The folder the file view shows for nativePath: a folder itself, any other
// file's folder; none for a project file or a missing path. A folder
// "/a/b" -> "/a/b", "/a/notes.txt" -> "/a", "/a/work.prj" -> none.
[[nodiscard]] std::optional<std::string> StartFolderOf(const std::string& nativePath);

// The text of --help, ending in a newline.
[[nodiscard]] std::string HelpText();
// The text of --version, ending in a newline.
[[nodiscard]] std::string VersionText();
// The line after a refusal's error, pointing at --help.
[[nodiscard]] std::string HelpHint();

} // namespace tamble
