#include "platform/heldfolder.h"

#include "platform/posix/folderstack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool IsFolderIdentity(const EntryIdentity& id) {
    return id.type == S_IFDIR;
}

HeldFolder::~HeldFolder() {
    Close();
}

int HeldFolder::Open(const std::string& path) {
    Close();
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may not be read can still be written in, and entries
    // are reached relative to a handle that only locates it.
    if (fd < 0 && errno == EACCES) fd = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat status;
    if (fstat(fd, &status) != 0) {
        const int error = errno;
        close(fd);
        return error;
    }
    path_ = path;
    id_ = IdentityOf(status);
    native_ = fd;
    return 0;
}

int HeldFolder::OpenSame(const HeldFolder& other) {
    Close();
    if (!other.IsOpen()) return EBADF;
    const int fd = fcntl(static_cast<int>(other.native_), F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return errno;
    path_ = other.path_;
    id_ = other.id_;
    native_ = fd;
    return 0;
}

void HeldFolder::Close() {
    if (native_ >= 0) close(static_cast<int>(native_));
    native_ = -1;
    path_.clear();
    id_ = {};
}

bool HeldFolder::IsOpen() const {
    return native_ >= 0;
}

bool HeldFolder::StillNamed() const {
    struct stat status;
    return IsOpen() && stat(path_.c_str(), &status) == 0 && IdentityOf(status) == id_;
}

int HeldFolder::EntryIdentityOf(const std::string& name, EntryIdentity& id) const {
    if (!IsOpen()) return EBADF;
    return IdentityAt(static_cast<int>(native_), name, id);
}

int HeldFolder::MakeFolder(const std::string& name) const {
    if (!IsOpen()) return EBADF;
    return mkdirat(static_cast<int>(native_), name.c_str(), 0777) == 0 ? 0 : errno;
}

int HeldFolder::MakeEmptyFile(const std::string& name) const {
    if (!IsOpen()) return EBADF;
    const int fd = openat(static_cast<int>(native_), name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    return close(fd) == 0 ? 0 : errno;
}

} // namespace platform
