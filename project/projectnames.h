// Names in the project view: the category a file belongs to and the text
// the display tree shows for a model text. Texts are CP932 bytes; a
// delimiter byte that is the second byte of a double-byte character never
// counts.
#pragma once

#include <string>

namespace tamble {

// Bytes after which a name starts: the Windows path delimiters '\' and
// ':', and on POSIX also the native '/'.
#ifdef _WIN32
inline constexpr const char* kNameDelimiters = "\\:";
#else
inline constexpr const char* kNameDelimiters = "\\:/";
#endif

// The text after the last delimiter; the whole text when it has none.
// "D:\src\main.c" -> "main.c", "a\b" -> "b", "Demo" -> "Demo".
[[nodiscard]] std::string FileNameOf(const std::string& text);

// What the display tree shows for a model text: FileNameOf(text) in short
// mode, the text itself in long mode.
[[nodiscard]] std::string DisplayName(const std::string& text, bool shortNames);

// The category of a file by its extension, the text from the last '.' when
// that dot follows the last delimiter, compared without regard to case:
// ".cpp" and ".c" kSourceFiles, ".h" kHeaderFiles, anything else (".hpp",
// no extension, "x.dir\readme") kOtherFiles.
[[nodiscard]] int CategoryOf(const std::string& path);

} // namespace tamble
