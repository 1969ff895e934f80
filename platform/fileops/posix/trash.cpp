#include "platform/fileops/posix/trash.h"

#include "platform/paths.h"
#include "platform/posix/folderstack.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace platform {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// A descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    void Reset(int fd) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }
    [[nodiscard]] int Get() const { return fd_; }

private:
    int fd_;
};

std::string PercentEncoded(const std::string& path) {
    std::string out;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-_.~", c) != nullptr) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

bool MakeFolders(const std::string& path) {
    if (path.empty() || path == "/") return true;
    struct stat status;
    if (::stat(path.c_str(), &status) == 0) return S_ISDIR(status.st_mode);
    return MakeFolders(DirName(path)) && (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST);
}

// Creates (when missing) and opens the subfolder name of folder, never
// through a link; -1 with errno on failure.
int OpenSubfolder(int folder, const char* name) {
    if (mkdirat(folder, name, 0700) != 0 && errno != EEXIST) return -1;
    return openat(folder, name, kFolderFlags | O_NOFOLLOW);
}

std::string HomeTrash(const FileOperationContext& context) {
    if (!context.homeTrash.empty()) return context.homeTrash;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') return std::string(dataHome) + "/Trash";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/Trash";
}

// The top folder of the volume that holds folder, found by climbing "..";
// -1 with errno on failure.
int OpenVolumeTop(int folder) {
    int fd = openat(folder, ".", kFolderFlags);
    struct stat here;
    if (fd < 0 || fstat(fd, &here) != 0) return -1;
    for (;;) {
        const int parent = openat(fd, "..", kFolderFlags);
        struct stat above;
        if (parent < 0 || fstat(parent, &above) != 0) {
            if (parent >= 0) close(parent);
            return fd;
        }
        if (above.st_dev != here.st_dev || above.st_ino == here.st_ino) {
            close(parent);
            return fd;
        }
        close(fd);
        fd = parent;
        here = above;
    }
}

std::string InfoText(const std::string& originalPath) {
    char when[32];
    const std::time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncoded(originalPath) + "\nDeletionDate=" + when + "\n";
}

// Moves name of folder into the trash folder trash (its path for the hook).
int MoveInto(const Run& run, int folder, const std::string& name, const std::string& originalPath,
             int trash, const std::string& trashPath) {
    Fd files(OpenSubfolder(trash, "files"));
    if (files.Get() < 0) return errno;
    Fd info(OpenSubfolder(trash, "info"));
    if (info.Get() < 0) return errno;
    std::string trashName = name;
    std::string infoName;
    Fd infoFile;
    for (int n = 2; infoFile.Get() < 0; ++n) {
        infoName = trashName + ".trashinfo";
        infoFile.Reset(openat(info.Get(), infoName.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (infoFile.Get() < 0 && errno != EEXIST) return errno;
        struct stat taken;
        if (infoFile.Get() >= 0 &&
            fstatat(files.Get(), trashName.c_str(), &taken, AT_SYMLINK_NOFOLLOW) == 0) {
            // An item without its info file holds the name: leave both be.
            infoFile.Reset(-1);
            unlinkat(info.Get(), infoName.c_str(), 0);
        }
        if (infoFile.Get() < 0) trashName = CollisionName(name, n);
    }
    const std::string text = InfoText(originalPath);
    int error = write(infoFile.Get(), text.data(), text.size()) == static_cast<ssize_t>(text.size())
                    ? 0
                    : EIO;
    infoFile.Reset(-1);
    if (error == 0) error = run.RenameHook(originalPath, trashPath + "/files/" + trashName);
    if (error == 0) error = RenameNoReplaceAt(folder, name, files.Get(), trashName);
    if (error != 0) unlinkat(info.Get(), infoName.c_str(), 0);
    return error;
}

} // namespace

int MoveToTrash(const Run& run, const FileOperationContext& context, int folder,
                const std::string& name, const std::string& originalPath) {
    const std::string home = HomeTrash(context);
    int error = MakeFolders(home) ? 0 : (errno != 0 ? errno : EIO);
    if (error == 0) {
        Fd trash(open(home.c_str(), kFolderFlags));
        error =
            trash.Get() < 0 ? errno : MoveInto(run, folder, name, originalPath, trash.Get(), home);
    }
    if (error != EXDEV) return error;
    // Another volume: its own trash at its top folder.
    Fd top(OpenVolumeTop(folder));
    if (top.Get() < 0) return EXDEV;
    const std::string trashName = ".Trash-" + std::to_string(getuid());
    Fd trash(OpenSubfolder(top.Get(), trashName.c_str()));
    if (trash.Get() < 0) return errno;
    return MoveInto(run, folder, name, originalPath, trash.Get(), trashName);
}

} // namespace platform
