// The copy runs inside the kernel (copy_file_range, which also lets file
// systems share blocks) and falls back to a large-buffer loop where the
// kernel cannot copy between the two files.
#include "platform/filecopy.h"

#include "platform/codepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr size_t kCopyChunk = size_t{1} << 30;      // bytes asked of the kernel per call
constexpr size_t kFallbackBuffer = size_t{1} << 20; // bytes per read in the fallback loop

// The UTF-8 name of a CP932 path, or nullopt when it is empty or holds
// bytes that name no character: copying onto another name than the one the
// user sees must not happen.
std::optional<std::string> NativeName(const std::string& path) {
    std::optional<std::string> native = FileSystemName(path);
    if (native && native->empty()) return std::nullopt;
    return native;
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }
    // Closes now and reports a failed close (a late write error on some file systems).
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

int CopyByReading(int from, int to) {
    std::vector<char> buffer(kFallbackBuffer);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (!WriteAll(to, buffer.data(), static_cast<size_t>(got))) return errno;
    }
}

// Copies everything from the current offsets on.
int CopyContents(int from, int to) {
    bool copiedAny = false;
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kCopyChunk, 0);
        if (copied == 0) return 0;
        if (copied > 0) {
            copiedAny = true;
            continue;
        }
        if (errno == EINTR) continue;
        const bool unsupported =
            errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL;
        if (copiedAny || !unsupported) return errno;
        return CopyByReading(from, to);
    }
}

} // namespace

int CopyFile(const std::string& source, const std::string& target, bool failIfExists) {
    const std::optional<std::string> from = NativeName(source);
    const std::optional<std::string> to = NativeName(target);
    if (!from || !to) return EINVAL;
    Descriptor in(::open(from->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) return errno;
    struct stat sourceInfo {};
    if (::fstat(in.get(), &sourceInfo) != 0) return errno;
    if (!S_ISREG(sourceInfo.st_mode)) return S_ISDIR(sourceInfo.st_mode) ? EISDIR : EINVAL;

    // Opened without truncation first: the target may be the source itself,
    // and truncating that would destroy the only copy.
    // O_NONBLOCK keeps a named pipe in either place from blocking the open.
    const int createFlags =
        O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (failIfExists ? O_EXCL : 0);
    Descriptor out(::open(to->c_str(), createFlags, sourceInfo.st_mode & 0777));
    if (out.get() < 0) return errno;
    struct stat targetInfo {};
    if (::fstat(out.get(), &targetInfo) != 0) return errno;
    if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
        return EINVAL;
    if (!S_ISREG(targetInfo.st_mode)) return EINVAL;
    if (targetInfo.st_size != 0 && ::ftruncate(out.get(), 0) != 0) return errno;

    if (const int error = CopyContents(in.get(), out.get()); error != 0) return error;
    // The copy keeps the source's modification time; its access time is now.
    const struct timespec times[2] = {{0, UTIME_NOW}, sourceInfo.st_mtim};
    if (::futimens(out.get(), times) != 0) return errno;
    return out.Close();
}

} // namespace platform
