// The Windows program holds a named mutex; here an exclusive flock on a
// file in the user's runtime folder plays that part. The kernel drops the
// lock when the process ends, however it ends.
#include "platform/instancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

std::string InstanceLockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') return std::string(runtime) + "/" + name + ".lock";
    // The temp folder is shared by all users: the user id keeps sessions apart.
    const char* temp = std::getenv("TMPDIR");
    const std::string folder = temp != nullptr && *temp != '\0' ? temp : "/tmp";
    return folder + "/" + name + "-" + std::to_string(getuid()) + ".lock";
}

bool AcquireInstanceLock(const std::string& name) {
    // O_CLOEXEC: programs started later (editors, launcher items) must not
    // inherit the descriptor, or they would keep the lock after we exit.
    const int fd = open(InstanceLockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true; // fd stays open for the process's life
    const bool heldByAnother = errno == EWOULDBLOCK;
    close(fd);
    return !heldByAnother;
}

} // namespace platform
