// Writing files without harm to what is there: replacing a file whole, the
// service behind every atomic save of the text library (installed with
// SetTextFileReplacer at start-up), and creating a new file that never
// replaces anything.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Replaces the file at path (a native name, see nativepath.h) by exactly
// bytes. The bytes go to a new temporary file in path's folder, created
// exclusively under a name of this process and save
// (".tamble-save-<process>-<n>.tmp~"), pushed to the disk, and renamed over
// path in one step, which replaces an existing file; on POSIX the folder is
// then pushed to the disk too, so that the new name survives a crash. An
// existing target keeps its permissions (POSIX) or its attributes (Windows).
// On Windows a rename that meets the target open in another program (a
// reader, a virus scanner, another save) is tried again for up to about two
// seconds, so that two saves at once both succeed. Returns true when path
// holds bytes; false when anything failed (the folder cannot be written,
// path is a folder, the disk is full, a read-only target on Windows, the
// target stays open elsewhere, ...), and then path is unchanged and the
// temporary file is removed.
// A save killed before its rename leaves its temporary behind; each save
// first removes the temporaries in path's folder whose process no longer
// runs (no rename can come from it any more) and keeps those of a process
// that still runs or may run (another save of this or another Tamble).
[[nodiscard]] bool ReplaceFileAtomically(const std::filesystem::path& path,
                                         const std::string& bytes);

// Creates path (a native name) as a new empty file, in one step with the
// check that the name is free. Returns true when it did; false, touching
// nothing, when any entry has that name already (a file, a folder, a
// symbolic link even when it leads nowhere) or the file cannot be made.
[[nodiscard]] bool CreateEmptyFile(const std::filesystem::path& path);

// The name of the n-th save temporary of process: (12, 3) ->
// ".tamble-save-12-3.tmp~".
[[nodiscard]] std::string SaveTemporaryName(unsigned long process, unsigned long n);

// The process of a save temporary's name; nullopt for every other name
// (".tamble-save-12-3.tmp~" -> 12; ".tamble-save-12.tmp~", "a.tmp~",
// ".tamble-save-12-3.tmp~x" -> nullopt).
[[nodiscard]] std::optional<unsigned long> SaveTemporaryProcess(std::string_view name);

} // namespace platform
