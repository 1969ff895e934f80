// What the main window needs from outside: where its files live, how it
// asks the user, what its file page takes from the system, and the steps
// of the item page that tests replace (launcher items, dropped files). A step left empty
// does nothing, so the window runs before those parts exist, and tests see
// exactly which steps ran and in which order.
#pragma once

#include "fileview/fileviewpage.h"
#include "platform/fileops/fileoperations.h"
#include "platform/userprompts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamble {

struct ShellHooks {
    std::function<void()> LoadLauncherItems; // at creation, after the settings
    std::function<void()> SaveLauncherItems; // at exit, after the settings
    // Dropped files (CP932 full paths) on the item page.
    std::function<void(const std::vector<std::string>&)> DropOnLauncher;
};

struct ShellEnvironment {
    std::string settingsPath;                 // path of the settings file, code page 932
    std::string dataFolder;                   // native folder of item.lst
    platform::UserPrompts* prompts = nullptr; // never null in use
    // Shows long file operations with a cancel button; null shows nothing.
    platform::OperationProgress* progress = nullptr;
    ShellHooks hooks;
    // The file page's drives, openings and file commands' owner; a null
    // prompts or progress there is the window's.
    FileViewServices fileView;
    // Whether the desktop has a notification area; nullopt asks the system.
    std::optional<bool> trayAvailable;
};

} // namespace tamble
