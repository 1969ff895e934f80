#include "platform/filereplace.h"

#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <optional>

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
                             SaveTemporaryName(static_cast<unsigned long>(::getpid()), counter++));
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

// Whether process pid has ended for good but is not yet reaped: it runs
// no more code. False when /proc does not tell.
bool IsZombie(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), {});
    // "pid (name) state ...": the name may hold blanks and parentheses.
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) return false;
    const char state = stat[close + 2];
    return state == 'Z' || state == 'X';
}

// Whether process pid may still run. EPERM means it runs under another
// user; anything but ESRCH is taken for running, as is a number no pid
// can be, so that nothing of a live save is ever removed.
bool ProcessMayRun(unsigned long process) {
    if (process == 0 || process > static_cast<unsigned long>(INT_MAX)) return true;
    const pid_t pid = static_cast<pid_t>(process);
    if (::kill(pid, 0) != 0) return errno != ESRCH;
    return !IsZombie(pid);
}

// Removes the save temporaries in folder left by processes that no longer
// run. The names are looked at as they are read, so a folder of a million
// files costs one pass and no list of its names. Only regular files go,
// each through the folder's descriptor, so a folder swapped meanwhile
// cannot send the removal elsewhere.
void RemoveAbandonedTemporaries(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The listing reads through a descriptor of its own; removals go
    // through fd, which stays open after the listing's is closed.
    const int listing = ::dup(fd);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (dir == nullptr && listing >= 0) ::close(listing);
    while (dir != nullptr) {
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) break;
        const std::optional<unsigned long> process = SaveTemporaryProcess(entry->d_name);
        if (!process || ProcessMayRun(*process)) continue;
        struct stat status;
        if (::fstatat(fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            ::unlinkat(fd, entry->d_name, 0);
    }
    if (dir != nullptr) ::closedir(dir);
    ::close(fd);
}

} // namespace

bool ReplaceFileAtomically(const std::filesystem::path& name, const std::string& bytes) {
    const std::string& path = name.native();
    if (path.empty()) return false;
    const std::string folder = FolderOf(path);
    // First, so that the space they hold is free for this save.
    RemoveAbandonedTemporaries(folder);
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
