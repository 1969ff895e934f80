// Every start of another program: the editor, a file's default
// application, the file manager, the string-search program and launcher
// items. Each goes through platform::StartProgram once, is never waited for,
// and a start that fails is not reported. Texts are CP932 bytes.
#pragma once

#include "core/settings.h"
#include "platform/userprompts.h"

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

// The parameter text for templateText: split into arguments by the Windows
// command-line rules (commandline.h) with its first "$PATH" standing for
// currentPath and its first "$FILE" for selectedFileName, each taken whole
// wherever it stands, quoted or not; then written back so that those rules
// read exactly these arguments again (JoinCommandLine). So a file named
// `a; touch x` or `-e x` arrives as one argument, and a template written
// for Windows as -sf:"$PATH" still works. The macros are found byte-wise
// and case-sensitively in the template only: later occurrences stay, and a
// "$FILE" inside the path is part of the path. An argument that is nothing
// but an empty "$FILE" is left out.
// nullopt when the template or the result would not fit
// kSearchParameterBufferSize, or when the result would not read back as the
// same arguments (an argument ending in a lone CP932 lead byte).
// Example: ("-sf:$PATH -gf:$FILE", "D:\src", "my file.c") -> -sf:D:\src "-gf:my file.c".
[[nodiscard]] std::optional<std::string> ExpandSearchTemplate(const std::string& templateText,
                                                              const std::string& currentPath,
                                                              const std::string& selectedFileName);

// Starts options.SearchStringApp with the expanded template as its command
// line. selectedFileName: caption of the first selected row of the file
// list, "" when none. Nothing starts when SearchStringApp is empty; when the
// template cannot be expanded, prompts says so and nothing starts.
void RunStringSearch(const AppOptions& options, platform::UserPrompts& prompts,
                     const std::string& templateText, const std::string& currentPath,
                     const std::string& selectedFileName);

// Starts a launcher item: fileName with parameters as its command line (an
// empty text gives no arguments). An empty fileName does nothing.
void LaunchItem(const std::string& fileName, const std::string& parameters);

// Starts a launcher item with a dropped file: path is its one argument.
void LaunchItemWithFile(const std::string& fileName, const std::string& path);

} // namespace tamble
