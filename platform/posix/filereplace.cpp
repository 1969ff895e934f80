#include "filereplace.h"

#include "pathnames.h"
#include "pathstyle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace platform {
namespace {

// Names tried before giving up; a name is only taken by a stray file that
// a killed save of an earlier process with the same id left behind.
constexpr int kTemporaryNameAttempts = 64;

std::string FolderOf(const std::string& path) {
    const std::string folder = DirName(path);
    return folder.empty() ? "." : folder;
}

// Creates a fresh temporary file in folder; its descriptor (name in
// temporary), or -1.
int CreateTemporary(const std::string& folder, std::string& temporary) {
    static std::atomic<unsigned long> counter{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = JoinPath(PathStyle::Posix, folder,
                             ".tamble-save-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++) + ".tmp~");
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
    for (size_t written = 0; written < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<size_t>(put);
    }
    return true;
}

// Without this the rename itself may be lost in a crash. Not every file
// system can sync a folder; the file is whole either way.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool ReplaceFileAtomically(const std::filesystem::path& name, const std::string& bytes) {
    const std::string& path = name.native();
    if (path.empty()) return false;
    const std::string folder = FolderOf(path);
    std::string temporary;
    const int fd = CreateTemporary(folder, temporary);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    struct stat old;
    if (ok && ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    // The bytes must be on the disk before the name points at them, or a
    // crash right after the rename can leave an empty file.
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace platform
