// Handing a path from a second start to the running instance. The running
// instance listens on a local socket beside its instance lock; only the
// process holding the lock owns that socket name, so a socket left behind
// by a crashed instance may be replaced by the next one.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Path of the local socket the instance holding the lock `name` listens on
// (beside InstanceLockPath(name), same folder).
[[nodiscard]] std::string InstanceSocketPath(const std::string& name);

// Sends path (native bytes, at most kMaxHandoverPath) as one handover
// message to the socket at socketPath. Returns true when the whole message
// was written. Returns false when nobody listens there, when the listener
// belongs to another user (the path is then not sent), when path cannot be
// carried, or when the write fails or takes longer than a few seconds.
[[nodiscard]] bool HandOverPath(const std::string& socketPath, std::string_view path);

} // namespace platform
