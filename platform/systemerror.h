// The error codes the file operations pass around and report: errno values
// on POSIX, Win32 error codes on Windows, and one code of their own kind
// for an entry that is no longer the one that was found.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace platform {

// Given when an entry is no longer the one that was found.
#ifdef _WIN32
inline constexpr int kEntryChanged = ERROR_FILE_INVALID;
#else
inline constexpr int kEntryChanged = ESTALE;
#endif

// The system's own sentence for error (code page 932, no line end). Never fails.
[[nodiscard]] std::string SystemErrorText(int error);

} // namespace platform
