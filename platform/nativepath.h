// Paths as std::filesystem::path, the names the system opens, from the two
// texts the program holds them in: code page 932 bytes (everything below
// the forms) and native path texts (what the platform interfaces take:
// UTF-8 on POSIX; on Windows the generalized UTF-8 of the UTF-16 name,
// widename.h). The conversions are lossless, so a name that the system
// lists is always the name that opens again.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The name the system opens for a CP932 path: its UTF-8 bytes on POSIX
// (FileSystemName), its UTF-16 units on Windows (Cp932NameToWide). An empty
// path when cp932 names nothing the system can hold (a byte that starts no
// CP932 character, on Windows also a text no UTF-16 name reads back as), so
// that opening it fails instead of reaching another file. "" -> empty path.
// This is the mapper a program installs for the text library.
[[nodiscard]] std::filesystem::path NativePath(std::string_view cp932);

// The path of a native path text; an empty path when the text names
// nothing (Windows: not generalized UTF-8). Never fails on POSIX.
[[nodiscard]] std::filesystem::path PathOfText(std::string_view native);

// The native path text of path. Never fails:
// TextOfPath(PathOfText(t)) == t whenever PathOfText(t) is not empty.
[[nodiscard]] std::string TextOfPath(const std::filesystem::path& path);

} // namespace platform
