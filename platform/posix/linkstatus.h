// Two small helpers of the POSIX file operations: a child's path, and the
// status of a path's own entry (a symbolic link as the link itself).
#pragma once

#include "platform/paths.h"

#include <sys/stat.h>

#include <optional>
#include <string>

namespace platform {

[[nodiscard]] inline std::string Child(const std::string& folder, const std::string& name) {
    return JoinPath(PathStyle::Posix, folder, name);
}

// The lstat of path; nothing when it does not exist or cannot be looked at.
[[nodiscard]] inline std::optional<struct stat> LinkStatus(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) return std::nullopt;
    return status;
}

} // namespace platform
