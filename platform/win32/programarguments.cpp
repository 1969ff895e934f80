#include "platform/programarguments.h"

#include "platform/win32/widepath.h"

#include <windows.h>

#include <shellapi.h>

namespace platform {

std::vector<std::string> ProgramArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(NativePath(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace platform
