// Every start goes through ShellExecuteExW with the verb "open": a program
// runs (Windows starts it directly, no command interpreter in between), a
// document or a folder opens with its association, and "explorer" is the
// file manager itself. The parameter text is already a Windows command
// line and is passed on as it is.
#include "platform/programstart.h"

#include "platform/commandline.h"
#include "platform/win32/comforthiscall.h"
#include "platform/win32/widepath.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

namespace platform {
namespace {

// The command-line text of the start: a path taken whole is written so
// that the program reads it back as one argument, blanks and quotes
// included; a parameter text is already a command line.
std::optional<std::string> ParameterText(const ProgramStart& start) {
    if (!start.parameters) return std::nullopt;
    if (start.parameterIsOnePath) return JoinCommandLine({*start.parameters});
    return *start.parameters;
}

} // namespace

void StartProgramNow(const ProgramStart& start) {
    if (start.program.empty()) return;
    const std::optional<std::u16string> file = WidePath(start.program);
    if (!file) return;
    const std::optional<std::string> text = ParameterText(start);
    std::optional<std::u16string> parameters;
    if (text) {
        parameters = WidePath(*text);
        if (!parameters) return;
    }
    const ComForThisCall com;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Failures are not reported to the user; the call returns once the
    // start is under way, so nothing depends on this thread living on.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = reinterpret_cast<HWND>(ProgramStartOwner());
    info.lpVerb = L"open";
    info.lpFile = WideChars(*file);
    info.lpParameters = parameters ? WideChars(*parameters) : nullptr;
    info.nShow = static_cast<int>(start.show);
    ShellExecuteExW(&info);
}

} // namespace platform
