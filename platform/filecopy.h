// A plain copy of one file's bytes onto another name, as the batch tools
// make it: no questions, no progress, no temporary name. Paths are code
// page 932 texts.
#pragma once

#include <string>

namespace platform {

// Copies the regular file source to target. An existing target is
// overwritten in place unless failIfExists, which fails with EEXIST. The
// target gets the source's modification time, as the system's own copy
// gives it, and its permission bits when it is new (POSIX) or its
// attributes (Windows: read-only, hidden, system, archive, temporary, not
// indexed). Returns 0, or an errno value:
// EINVAL for a path that does not convert back to itself, for a source
// that is not a regular file and for a target that is the source itself
// (also through another name), which is refused before anything is
// truncated; EISDIR when the target is a folder.
[[nodiscard]] int CopyFile(const std::string& source, const std::string& target, bool failIfExists);

} // namespace platform
