// What the main window needs from outside: where its files live, how it
// asks the user and shows progress, and what its file page takes from the
// system. Tests fill it with temporary folders and scripted answers.
#pragma once

#include "fileview/fileviewpage.h"
#include "platform/fileops/fileoperations.h"
#include "platform/userprompts.h"

#include <optional>
#include <string>

namespace tamble {

struct ShellEnvironment {
    std::string settingsPath;                 // path of the settings file, code page 932
    std::string dataFolder;                   // native folder of item.lst
    platform::UserPrompts* prompts = nullptr; // never null in use
    // Shows long file operations with a cancel button; null shows nothing.
    platform::OperationProgress* progress = nullptr;
    // The file page's drives, openings and file commands' owner; a null
    // prompts or progress there is the window's.
    FileViewServices fileView;
    // Whether the desktop has a notification area; nullopt asks the system.
    std::optional<bool> trayAvailable;
    // A native folder named on the command line: the window opens on the
    // file page showing it, whatever page and folder the settings name.
    std::optional<std::string> startFolder;
};

} // namespace tamble
