// Every start of another program: the editor, a file's default
// application, the file manager, the string-search program and launcher
// items. Each goes through platform::StartProgram once, is never waited for,
// and a start that fails is not reported. Texts are CP932 bytes.
#pragma once

#include "settings.h"

#include <optional>
#include <string>

namespace tamble {

// The string-search parameter text, terminator included, is held to this many bytes.
inline constexpr size_t kSearchParameterBufferSize = 512;

// Opens path in the editor options.UseEditor (the path is its one argument)
// when options.AllOpenEditor is on, else with the file's default
// application; both with the normal show command. An empty path does nothing.
void OpenInEditor(const AppOptions& options, const std::string& path);

// Opens path with its default application.
void ShellOpenFile(const std::string& path);

// Opens the file manager on currentPath, whatever it holds.
void OpenExplorer(const std::string& currentPath);

// templateText with its first "$PATH" replaced by currentPath, then the
// first "$FILE" of the result (which may come from currentPath) replaced by
// selectedFileName. Byte-wise and case-sensitive; later occurrences stay.
// nullopt when the result would not fit kSearchParameterBufferSize.
// Example: ("-sf:$PATH -gf:$FILE", "D:\src", "main.c") -> "-sf:D:\src -gf:main.c".
[[nodiscard]] std::optional<std::string> ExpandSearchTemplate(const std::string& templateText,
                                                              const std::string& currentPath,
                                                              const std::string& selectedFileName);

// Starts options.SearchStringApp with the expanded template as its command
// line. selectedFileName: caption of the first selected row of the file
// list, "" when none. Nothing starts when SearchStringApp is empty or the
// expansion is too long.
void RunStringSearch(const AppOptions& options, const std::string& templateText,
                     const std::string& currentPath, const std::string& selectedFileName);

// Starts a launcher item: fileName with parameters as its command line (an
// empty text gives no arguments). An empty fileName does nothing.
void LaunchItem(const std::string& fileName, const std::string& parameters);

// Starts a launcher item with a dropped file: path is its one argument.
void LaunchItemWithFile(const std::string& fileName, const std::string& path);

} // namespace tamble
