// Folder paths in the two forms the program knows, as values so that both
// are handled (and tested) on every system:
//   Windows: "D:" is a drive root, "D:\Work\Tools" a folder; '\' separates.
//   POSIX:   "/" is the root, "/home/me/src" a folder; '/' separates.
// A folder never ends with a separator, except the POSIX root itself.
// Texts are CP932 bytes: a separator byte that is the second byte of a
// double-byte character (as in "表" = 0x95 0x5C) never separates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class PathStyle { Windows, Posix };

// The style of the system the program runs on.
[[nodiscard]] PathStyle NativePathStyle();

[[nodiscard]] char Separator(PathStyle style);

// folder and name joined by one separator: ("D:", "a") -> "D:\a",
// ("/", "a") -> "/a", ("/home", "a") -> "/home/a".
[[nodiscard]] std::string JoinPath(PathStyle style, std::string_view folder, std::string_view name);

// The root first ("D:" or "/"), then every name; empty parts from doubled
// or trailing separators are dropped: "D:\Tools\\" -> {"D:", "Tools"},
// "/usr//lib/" -> {"/", "usr", "lib"}. A Windows path's first part is its
// root whatever it holds; a POSIX text that does not start with '/' has no
// root part: "a/b" -> {"a", "b"}. "" -> {}.
[[nodiscard]] std::vector<std::string> PathComponents(PathStyle style, std::string_view path);

// The folder above path, in the form above: "D:\a\b" -> "D:\a", "D:\a" ->
// "D:", "/a" -> "/". A root is its own parent ("D:" -> "D:", "/" -> "/").
[[nodiscard]] std::string ParentPath(PathStyle style, std::string_view path);

// --- Plain '/' paths, whatever the system: the program's own files.
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
