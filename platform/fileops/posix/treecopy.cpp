// Copies work on lstat, so a symbolic link is always copied as the link
// itself, and each source is opened without following a link and checked
// to be the entry that lstat described.
#include "platform/fileops/posix/treecopy.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/posix/folderstack.h"
#include "platform/posix/linkstatus.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <optional>

namespace platform {
namespace {

constexpr size_t kCopyBufferSize = 1 << 16;

// Whether the open fd is the entry status described.
bool IsSame(int fd, const struct stat& status) {
    struct stat opened;
    return fstat(fd, &opened) == 0 && IdentityOf(opened) == IdentityOf(status);
}

} // namespace

std::string TreeCopy::AtDestination(const std::string& target) const {
    if (destination_ == AT_FDCWD) return target;
    const std::string prefix = destinationPath_.empty() || destinationPath_.back() == '/'
                                   ? destinationPath_
                                   : destinationPath_ + "/";
    // Every target is built below the destination; an absolute path would
    // ignore the descriptor, so anything else names nothing.
    if (target.compare(0, prefix.size(), prefix) != 0 || target.size() == prefix.size())
        return std::string();
    return target.substr(prefix.size());
}

template <typename Make>
int TreeCopy::MakeBeside(const std::string& target, const char* prefix, std::string& made,
                         Make make) {
    for (unsigned n = 0;; ++n) {
        made = Child(DirName(target), prefix + std::to_string(getpid()) + "-" + std::to_string(n));
        const int error = make(AtDestination(made));
        if (error != EEXIST) return error;
    }
}

int TreeCopy::Copy(const std::string& source, const std::string& target) {
    const auto status = LinkStatus(source);
    if (!status) return run_.FailErrno(" が見つかりません", source, errno);
    if (!run_.Step(source)) return kFileOperationCancelled;
    std::optional<struct stat> existing;
    if (struct stat found;
        fstatat(destination_, AtDestination(target).c_str(), &found, AT_SYMLINK_NOFOLLOW) == 0)
        existing = found;
    if (existing && S_ISDIR(existing->st_mode) != S_ISDIR(status->st_mode))
        return run_.Fail(Quoted(target) + Cp932(" は種類の違う項目なので置き換えられません。"));
    if (S_ISDIR(status->st_mode)) return CopyFolder(source, target, *status, existing.has_value());
    if (S_ISLNK(status->st_mode)) return CopyLink(source, target, *status, existing.has_value());
    if (S_ISREG(status->st_mode)) return CopyFile(source, target, *status, existing.has_value());
    return run_.Fail(Quoted(source) + Cp932(" はコピーできない種類のファイルです。"));
}

void TreeCopy::Undo() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        const std::string at = AtDestination(*it);
        if (unlinkat(destination_, at.c_str(), AT_REMOVEDIR) != 0)
            unlinkat(destination_, at.c_str(), 0);
    }
    created_.clear();
}

int TreeCopy::CopyFolder(const std::string& source, const std::string& target,
                         const struct stat& status, bool merge) {
    const int fd = open(source.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || !IsSame(fd, status)) {
        if (fd >= 0) close(fd);
        return run_.FailErrno(" を読めません", source, fd < 0 ? errno : kEntryChanged);
    }
    std::vector<std::string> names;
    const bool listed = ReadFolderNames(fd, names);
    const int error = errno;
    close(fd);
    if (!listed) return run_.FailErrno(" を読めません", source, error);
    if (!merge) {
        if (mkdirat(destination_, AtDestination(target).c_str(), 0700) != 0)
            return run_.FailErrno(" を作成できません", target, errno);
        created_.push_back(target);
    }
    for (const std::string& name : names) {
        const int result = Copy(Child(source, name), Child(target, name));
        if (result != kFileOperationDone) return result;
    }
    if (!merge) fchmodat(destination_, AtDestination(target).c_str(), status.st_mode & 07777, 0);
    Record(status);
    return kFileOperationDone;
}

int TreeCopy::CopyLink(const std::string& source, const std::string& target,
                       const struct stat& status, bool replace) {
    char text[PATH_MAX];
    const ssize_t length = readlink(source.c_str(), text, sizeof text - 1);
    if (length < 0) return run_.FailErrno(" を読めません", source, errno);
    text[length] = '\0';
    if (!replace) {
        if (symlinkat(text, destination_, AtDestination(target).c_str()) != 0)
            return run_.FailErrno(" を作成できません", target, errno);
        created_.push_back(target);
        Record(status);
        return kFileOperationDone;
    }
    // The new link is made beside the old one and renamed over it, so a
    // failure keeps the old one.
    std::string temporary;
    if (const int error =
            MakeBeside(target, ".tamble-link-", temporary,
                       [&](const std::string& at) {
                           return symlinkat(text, destination_, at.c_str()) == 0 ? 0 : errno;
                       });
        error != 0) {
        return run_.FailErrno(" を置き換えられません", target, error);
    }
    if (renameat(destination_, AtDestination(temporary).c_str(), destination_,
                 AtDestination(target).c_str()) != 0) {
        const int error = errno;
        unlinkat(destination_, AtDestination(temporary).c_str(), 0);
        return run_.FailErrno(" を置き換えられません", target, error);
    }
    Record(status);
    return kFileOperationDone;
}

// The bytes go to a temporary file beside target that replaces it only
// when complete, so a failed copy never leaves a half file or loses the
// one it was to replace.
int TreeCopy::CopyFile(const std::string& source, const std::string& target,
                       const struct stat& status, bool replace) {
    if (const int error = run_.CopyHook(source, target); error != 0)
        return run_.FailErrno(" をコピーできません", source, error);
    const int in = open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0) return run_.FailErrno(" をコピーできません", source, errno);
    if (!IsSame(in, status)) {
        close(in);
        return run_.FailErrno(" をコピーできません", source, kEntryChanged);
    }
    std::string temporary;
    int out = -1;
    if (const int error =
            MakeBeside(target, ".tamble-copy-", temporary,
                       [&](const std::string& at) {
                           out = openat(destination_, at.c_str(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
                           return out >= 0 ? 0 : errno;
                       });
        error != 0) {
        close(in);
        return run_.FailErrno(" をコピーできません", target, error);
    }
    int error = CopyBytes(in, out);
    if (error == 0 && fchmod(out, status.st_mode & 07777) != 0) error = errno;
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    futimens(out, times);
    if (close(out) != 0 && error == 0) error = errno;
    close(in);
    if (error == 0 && renameat(destination_, AtDestination(temporary).c_str(), destination_,
                               AtDestination(target).c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlinkat(destination_, AtDestination(temporary).c_str(), 0);
        return error == ECANCELED ? kFileOperationCancelled
                                  : run_.FailErrno(" をコピーできません", source, error);
    }
    if (!replace) created_.push_back(target);
    Record(status);
    return kFileOperationDone;
}

// 0, ECANCELED when the user cancelled, or the errno of a failure.
int TreeCopy::CopyBytes(int in, int out) {
    std::vector<char> buffer(kCopyBufferSize);
    for (;;) {
        const ssize_t got = read(in, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put =
                write(out, buffer.data() + written, static_cast<size_t>(got - written));
            if (put < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            written += put;
        }
        run_.AddBytes(static_cast<uint64_t>(got));
        if (got == static_cast<ssize_t>(buffer.size()) && !run_.StepBytes()) return ECANCELED;
    }
}

} // namespace platform
