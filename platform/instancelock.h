// The one-instance-per-session rule.
#pragma once

#include <string>

namespace platform {

// Tries to take the session-wide lock called name. Returns true when this
// process now holds it; it stays held until the process ends (the kernel
// frees it even after a crash, and started child programs never inherit
// it). Returns false when another process holds it.
// A lock that cannot be set up at all (no writable folder) counts as taken:
// a broken environment must not keep the program from starting.
[[nodiscard]] bool AcquireInstanceLock(const std::string& name);

// Path of the lock file used for name (for diagnostics and tests).
[[nodiscard]] std::string InstanceLockPath(const std::string& name);

} // namespace platform
