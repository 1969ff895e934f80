// Where the program lives and where it keeps its files. Paths are native
// (UTF-8 on POSIX), without a trailing separator.
#pragma once

#include <string>

namespace platform {

// Full path of the running program; "" when the system does not tell.
[[nodiscard]] std::string ProgramPath();

// Folder of ProgramPath().
[[nodiscard]] std::string ProgramFolder();

// Folder of the settings file and of item.lst: the program's folder when
// it is writable, else $XDG_CONFIG_HOME/tamble (default ~/.config/tamble),
// created when missing. The variable TAMBLE_CONFIG_DIR replaces the choice;
// it exists so that tests never touch the user's home.
[[nodiscard]] std::string DataFolder();

// The settings file: DataFolder() and the program's file name with its
// extension replaced by ".ini" ("tamble" -> "tamble.ini").
[[nodiscard]] std::string SettingsFilePath();

} // namespace platform
