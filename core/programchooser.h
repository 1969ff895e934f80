// The file box that chooses a program (the editor, the string-search
// program) in the options dialog.
#pragma once

#include "platform/userprompts.h"

#include <optional>
#include <string>

namespace tamble {

// Options of the box. Windows programs end in ".exe", so there the box
// lists "*.exe" only and, for the string-search program
// (completeExtension), completes a name typed without extension with
// ".exe". POSIX programs carry no extension: there the box lists every
// file first and completes nothing, or no program could be chosen.
[[nodiscard]] platform::FileBoxOptions ProgramFileBox(bool completeExtension,
                                                      const std::string& initialFolder);

// Asks for a program; the chosen full path, or nullopt when the user
// cancelled or confirmed an empty name. lastFolder (may be null) starts the
// box and receives the folder of the chosen file.
[[nodiscard]] std::optional<std::string>
ChooseProgram(platform::UserPrompts& prompts, bool completeExtension, std::string* lastFolder);

} // namespace tamble
