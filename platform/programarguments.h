// The arguments the program was started with, as native path texts (see
// nativepath.h), so a name given on the command line keeps every character.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name. On POSIX the bytes of argv as
// they are; on Windows the UTF-16 command line of the process, split by the
// system's own rules and carried as generalized UTF-8, never through the
// ANSI code page, which would turn a character it lacks into "?".
[[nodiscard]] std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace platform
