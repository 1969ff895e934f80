// Folder entries through opendir/readdir and lstat relative to the open
// folder, drives from the home folder and /proc/self/mounts.
#include "platform/direntries.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/posix/folderstack.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

constexpr const char* kRemovableMountParents[] = {"/media/", "/run/media/", "/mnt/"};

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

uint32_t FileAttributes(const std::string& name, const struct stat& info) {
    uint32_t attributes = kAttrArchive;
    if (!name.empty() && name.front() == '.') attributes |= kAttrHidden;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;
    return attributes;
}

// Fills entry's attributes and size from the system; false when the entry
// vanished between readdir and the query.
bool Describe(int folder, const dirent& raw, bool fileDetails, DirEntry& entry) {
    const unsigned char type = raw.d_type;
    if (type == DT_DIR) {
        entry.attributes = kAttrDirectory;
        return true;
    }
    if (!fileDetails && type != DT_LNK && type != DT_UNKNOWN) {
        entry.attributes = kAttrArchive;
        entry.sized = false;
        return true;
    }
    struct stat info {};
    if (fstatat(folder, raw.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (S_ISLNK(info.st_mode)) {
        // A link to a folder is a folder to the user; the tree lists it only
        // when asked to, so a link back up never makes a listing loop.
        struct stat target {};
        if (fstatat(folder, raw.d_name, &target, 0) == 0) {
            if (S_ISDIR(target.st_mode)) {
                entry.attributes = kAttrDirectory | kAttrReparsePoint;
                return true;
            }
            info = target;
        }
    } else if (S_ISDIR(info.st_mode)) {
        entry.attributes = kAttrDirectory;
        return true;
    }
    entry.attributes = FileAttributes(entry.name, info);
    entry.size = static_cast<uint64_t>(info.st_size);
    return true;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) : std::string();
}

// /proc/self/mounts writes blanks and some other bytes as "\ooo".
std::string UnescapeMountField(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            out.push_back(
                static_cast<char>(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8)));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

bool IsRemovableMount(const std::string& mountPoint) {
    for (const char* parent : kRemovableMountParents) {
        if (mountPoint.rfind(parent, 0) == 0) return true;
    }
    return false;
}

} // namespace

bool EnumerateFolder(const std::string& folder, const std::string& mask, bool fileDetails,
                     const std::function<bool(const DirEntry&)>& visit, const NameFilter& wanted) {
    DIR* dir = opendir(Cp932ToUtf8(folder).c_str());
    if (dir == nullptr) return false;
    const int fd = dirfd(dir);
    DirEntry entry;
    while (const dirent* raw = readdir(dir)) {
        Utf8ToCp932(raw->d_name, entry.name);
        if (!MatchFolderMask(entry.name, mask) || (wanted && !wanted(entry.name))) continue;
        entry.size = 0;
        entry.sized = true;
        if (IsDotEntry(raw->d_name)) {
            entry.attributes = kAttrDirectory;
        } else if (!Describe(fd, *raw, fileDetails, entry)) {
            continue;
        }
        if (!visit(entry)) break;
    }
    closedir(dir);
    return true;
}

std::optional<FolderStamp> StampOfFolder(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(Cp932ToUtf8(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    constexpr int64_t kNanoseconds = 1000000000;
    return FolderStamp{IdentityOf(info), static_cast<int64_t>(info.st_mtim.tv_sec) * kNanoseconds +
                                             info.st_mtim.tv_nsec};
}

std::optional<uint64_t> FileSizeIn(const std::string& folder, const std::string& name) {
    const std::string path = Cp932ToUtf8(JoinPath(PathStyle::Posix, folder, name));
    struct stat info {};
    // A dangling link still has a size of its own, as a listing shows it.
    if (stat(path.c_str(), &info) != 0 && lstat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(Cp932ToUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string CurrentFolder() {
    char* folder = getcwd(nullptr, 0);
    if (folder == nullptr) return {};
    std::string result = Utf8ToCp932(folder);
    std::free(folder);
    return result;
}

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives{{"/", ""}};
    const std::string home = HomeFolder();
    if (!home.empty() && home != "/")
        drives.push_back({Utf8ToCp932(home), Utf8ToCp932(BaseName(home))});
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        if (!(fields >> device >> mountPoint)) continue;
        mountPoint = UnescapeMountField(mountPoint);
        if (!IsRemovableMount(mountPoint)) continue;
        const std::string root = Utf8ToCp932(mountPoint);
        bool known = false;
        for (const Drive& drive : drives)
            known = known || drive.root == root;
        if (!known) drives.push_back({root, Utf8ToCp932(BaseName(mountPoint))});
    }
    return drives;
}

} // namespace platform
