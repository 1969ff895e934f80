// Where the program lives and where it keeps its files. Paths are native
// (UTF-8 on POSIX), without a trailing separator.
#pragma once

#include <string>

namespace platform {

// Full path of the running program; "" when the system does not tell.
[[nodiscard]] std::string ProgramPath();

// Folder of ProgramPath().
[[nodiscard]] std::string ProgramFolder();

// True for the folders a system installs its programs into ("/usr/bin",
// "/usr/local/bin", ...), which are never a program's own folder.
[[nodiscard]] bool IsSystemProgramFolder(const std::string& folder);

// Folder of the settings file and of item.lst: the program's folder when
// it is writable and no system program folder (root may write to
// /usr/bin, but an installed program keeps its files in the user's
// configuration), else $XDG_CONFIG_HOME/tamble (default ~/.config/tamble),
// created when missing. The variable TAMBLE_CONFIG_DIR replaces the choice;
// it exists so that tests never touch the user's home.
[[nodiscard]] std::string DataFolder();

// The settings file: DataFolder() and the program's file name with its
// extension replaced by ".ini" ("tamble" -> "tamble.ini").
[[nodiscard]] std::string SettingsFilePath();

} // namespace platform
