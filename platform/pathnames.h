// Small pure helpers on native path texts, shared by the implementations.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The part after the last '/' (the whole text when there is none).
[[nodiscard]] std::string BaseName(std::string_view path);

// The part before the last '/'; "/" for a name in the root, "" when there
// is no '/'.
[[nodiscard]] std::string DirName(std::string_view path);

// name with the extension (from the last '.' that is not the first
// character) replaced by extension, which includes its dot:
// ("tool.exe", ".ini") -> "tool.ini"; ("tamble", ".ini") -> "tamble.ini";
// (".profile", ".ini") -> ".profile.ini".
[[nodiscard]] std::string ReplaceExtension(std::string_view name, std::string_view extension);

} // namespace platform
