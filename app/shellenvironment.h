// What the main window needs from outside: where its files live, how it
// asks the user, and the steps that other parts of the program plug into
// its life (launcher items, folder tree, dropped files). A step left empty
// does nothing, so the window runs before those parts exist, and tests see
// exactly which steps ran and in which order.
#pragma once

#include "fileoperations.h"
#include "userprompts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamble {

struct ShellHooks {
    std::function<void()> LoadLauncherItems; // at creation, after the settings
    std::function<void()> BuildFolderTree;   // at creation, after the launcher items
    std::function<void()> SaveLauncherItems; // at exit, after the settings
    // Debug menu: empty the icon cache and list the current folder again.
    std::function<void()> ClearIconCache;
    // Shows the folder (CP932 full path) in the file view, as if typed into
    // the address box.
    std::function<void(const std::string&)> ShowFolder;
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
    // Whether the desktop has a notification area; nullopt asks the system.
    std::optional<bool> trayAvailable;
};

} // namespace tamble
