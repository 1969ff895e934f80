// The program's thin wrappers over the shell's file operations and folder
// picker, as the file view and the batch tools call them. Paths are code
// page 932 texts; the owner stands for the window that owns the shell's
// boxes: it is who asks the questions and shows the progress.
//
// Results: 0 when everything asked for was done; otherwise non-zero (the
// user said No or cancelled, or an error that a box has already shown).
#pragma once

#include "platform/fileops/fileoperations.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

using ShellOwner = FileOperationContext;

// Operation codes and flags, with the shell's values.
inline constexpr unsigned kFoMove = 1;
inline constexpr unsigned kFoCopy = 2;
inline constexpr unsigned kFoDelete = 3;
inline constexpr unsigned kFoRename = 4;
inline constexpr unsigned kFofRenameOnCollision = 0x0008;
inline constexpr unsigned kFofAllowUndo = 0x0040;

// Size of a path buffer, terminator included.
inline constexpr size_t kMaxPath = 260;

// The shell's list layout: every path followed by one NUL, then one more
// NUL. The buffer is zero-filled and sized as the sum of (length + 2) over
// the paths, so "X" and "YZ" give X, NUL, Y, Z, NUL, NUL and one more zero.
// An empty list gives two NULs, so that the list still has its end.
[[nodiscard]] std::vector<char> BuildSourceBuffer(const std::vector<std::string>& paths);

// The paths of such a buffer, up to the empty entry that ends it.
[[nodiscard]] std::vector<std::string> SplitSourceBuffer(const std::vector<char>& buffer);

// Runs operation (kFoMove, kFoCopy, kFoDelete, kFoRename) on paths with
// flags; destination is the target folder (move, copy), the new full path
// (rename) or null (delete). kFofAllowUndo on a delete sends to the trash;
// kFofRenameOnCollision on a copy gives new names instead of asking. An
// empty list does nothing and gives 0.
[[nodiscard]] int ShellFileOperation(const ShellOwner& owner, const std::vector<std::string>& paths,
                                     unsigned operation, unsigned flags, const char* destination);

// Delete: to the trash when toRecycleBin (kFofAllowUndo), else for good (no flags).
[[nodiscard]] int ShellDelete(const ShellOwner& owner, const std::vector<std::string>& paths,
                              bool toRecycleBin);
// Copy into folder: kFofAllowUndo, plus kFofRenameOnCollision when asked.
[[nodiscard]] int ShellCopy(const ShellOwner& owner, const std::vector<std::string>& paths,
                            const std::string& folder, bool renameOnCollision);
// Move into folder: kFofAllowUndo.
[[nodiscard]] int ShellMove(const ShellOwner& owner, const std::vector<std::string>& paths,
                            const std::string& folder);
// Rename the one path of paths to newPath: kFofAllowUndo.
[[nodiscard]] int ShellRename(const ShellOwner& owner, const std::vector<std::string>& paths,
                              const std::string& newPath);

// Asks for a folder with title, starting at initialFolder (may be null) and
// writes the chosen path into result, which holds kMaxPath bytes; "" when
// cancelled, or (after a message) when the path does not fit. Returns result.
char* BrowseForFolder(const ShellOwner& owner, char* result, const char* title,
                      const char* initialFolder);

} // namespace platform
