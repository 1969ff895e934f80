// Replacing a file whole: the service behind every atomic save of the text
// library (installed with SetTextFileReplacer at start-up).
#pragma once

#include <string>

namespace platform {

// Replaces the file at path (native: UTF-8) by exactly bytes. The bytes go to
// a new temporary file in path's folder, created exclusively under a name of
// this process and save (".tamble-save-<process>-<n>.tmp~"), pushed to the
// disk, and renamed over path in one step, which replaces an existing file;
// the folder is then pushed to the disk too, so that the new name survives a
// crash. An existing target keeps its permissions. Returns true when path
// holds bytes; false when anything failed (the folder cannot be written,
// path is a folder, the disk is full, ...), and then path is unchanged and
// the temporary file is removed.
[[nodiscard]] bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

} // namespace platform
