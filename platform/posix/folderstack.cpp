#include "platform/posix/folderstack.h"

#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cstring>

namespace platform {
namespace {

// Open folders a chain keeps; a deeper chain reopens the ones above it on
// the way back, so a deep tree never runs out of descriptors.
constexpr size_t kHeldFolders = 64;

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The identity of the open fd; false when it cannot be told.
bool IdentityOfOpen(int fd, EntryIdentity& id) {
    struct stat status;
    if (fstat(fd, &status) != 0) return false;
    id = IdentityOf(status);
    return true;
}

// Opens name of folder as a folder, never through a link, and checks it is
// expected. Returns the descriptor, or -1 with errno set.
int OpenChecked(int folder, const char* name, const EntryIdentity& expected) {
    const int fd = openat(folder, name, kFolderFlags | O_NOFOLLOW);
    if (fd < 0) return -1;
    EntryIdentity id;
    if (!IdentityOfOpen(fd, id) || id != expected) {
        close(fd);
        errno = kEntryChanged;
        return -1;
    }
    return fd;
}

} // namespace

EntryIdentity IdentityOf(const struct stat& status) {
    return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
            static_cast<uint32_t>(status.st_mode & S_IFMT)};
}

int IdentityAt(int folder, const std::string& name, EntryIdentity& id) {
    struct stat status;
    if (fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    id = IdentityOf(status);
    return 0;
}

int CheckSameEntry(int folder, const std::string& name, const EntryIdentity& expected) {
    EntryIdentity id;
    if (const int error = IdentityAt(folder, name, id); error != 0) return error;
    return id == expected ? 0 : kEntryChanged;
}

int RenameNoReplaceAt(int fromFolder, const std::string& from, int toFolder,
                      const std::string& to) {
    if (renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    return renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0 ? 0 : errno;
}

bool ReadFolderNames(int folder, std::vector<std::string>& names,
                     std::vector<ListedEntry>* listed) {
    names.clear();
    if (listed != nullptr) listed->clear();
    // A descriptor of its own, so the listing starts at the beginning
    // whatever was read through folder before.
    const int fd = openat(folder, ".", kFolderFlags);
    if (fd < 0) return false;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        const int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        names.emplace_back(entry->d_name);
        if (listed != nullptr)
            listed->push_back({entry->d_type, static_cast<uint64_t>(entry->d_ino)});
    }
    const int error = errno;
    closedir(dir);
    errno = error;
    return error == 0;
}

FolderStack::~FolderStack() {
    for (Frame& frame : frames_)
        Close(frame);
}

void FolderStack::Close(Frame& frame) {
    if (frame.fd >= 0) close(frame.fd);
    frame.fd = -1;
}

int FolderStack::OpenStart(const std::string& path, const EntryIdentity* expected) {
    for (Frame& frame : frames_)
        Close(frame);
    frames_.clear();
    const int fd = open(path.c_str(), kFolderFlags);
    if (fd < 0) return errno;
    EntryIdentity id;
    if (!IdentityOfOpen(fd, id) || (expected != nullptr && id != *expected)) {
        close(fd);
        return kEntryChanged;
    }
    frames_.push_back({path, id, fd});
    return 0;
}

int FolderStack::OpenHeld(int folder, const std::string& path, const EntryIdentity& expected) {
    for (Frame& frame : frames_)
        Close(frame);
    frames_.clear();
    const int fd = OpenChecked(folder, ".", expected);
    if (fd < 0) return errno;
    frames_.push_back({path, expected, fd});
    return 0;
}

int FolderStack::Enter(const std::string& name, const EntryIdentity& expected) {
    const int fd = OpenChecked(Top(), name.c_str(), expected);
    if (fd < 0) return errno;
    frames_.push_back({name, expected, fd});
    // The start stays open: every reopening can fall back on it.
    if (frames_.size() > kHeldFolders + 1) Close(frames_[frames_.size() - kHeldFolders - 1]);
    return 0;
}

int FolderStack::Leave() {
    if (frames_.size() <= 1) return 0;
    Frame child = std::move(frames_.back());
    frames_.pop_back();
    Frame& parent = frames_.back();
    int error = 0;
    if (parent.fd < 0) {
        if (child.fd >= 0) parent.fd = OpenChecked(child.fd, "..", parent.id);
        // Moved elsewhere meanwhile: the names from a folder still open
        // may yet lead to it.
        if (parent.fd < 0) error = Reopen(frames_.size() - 1);
    }
    Close(child);
    return error;
}

int FolderStack::LeaveTo(size_t depth) {
    int first = 0;
    while (frames_.size() > depth && frames_.size() > 1) {
        const int error = Leave();
        if (first == 0) first = error;
    }
    return first;
}

int FolderStack::Reopen(size_t index) {
    size_t open = index;
    while (frames_[open].fd < 0)
        --open; // frame 0 is always open
    int fd = frames_[open].fd;
    for (size_t i = open + 1; i <= index; ++i) {
        const int next = OpenChecked(fd, frames_[i].name.c_str(), frames_[i].id);
        if (fd != frames_[open].fd) close(fd);
        if (next < 0) return kEntryChanged;
        fd = next;
    }
    frames_[index].fd = fd;
    return 0;
}

std::string FolderStack::Path() const {
    std::string path;
    for (const Frame& frame : frames_) {
        if (!path.empty() && path.back() != '/') path += '/';
        path += frame.name;
    }
    return path;
}

std::string FolderStack::PathOf(const std::string& name) const {
    return Join(Path(), name);
}

int AnchorPath(const std::string& path, EntryAnchor& anchor) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    anchor.path = path;
    anchor.name = BaseName(trimmed);
    anchor.folder = DirName(trimmed);
    if (anchor.folder.empty()) anchor.folder = ".";
    if (anchor.name.empty() || anchor.name == "." || anchor.name == "..") return EINVAL;
    FolderStack stack;
    if (const int error = stack.OpenStart(anchor.folder); error != 0) return error;
    anchor.folderId = stack.TopIdentity();
    return IdentityAt(stack.Top(), anchor.name, anchor.id);
}

int AnchorInHeld(int heldFolder, const std::string& folderPath, const EntryIdentity& folderId,
                 const std::string& name, EntryAnchor& anchor) {
    anchor.path = Join(folderPath, name);
    anchor.folder = folderPath;
    anchor.name = name;
    anchor.folderId = folderId;
    anchor.heldFolder = heldFolder;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        return EINVAL;
    return IdentityAt(heldFolder, name, anchor.id);
}

int ReachAnchor(const EntryAnchor& anchor, FolderStack& stack) {
    const int error = anchor.heldFolder >= 0
                          ? stack.OpenHeld(anchor.heldFolder, anchor.folder, anchor.folderId)
                          : stack.OpenStart(anchor.folder, &anchor.folderId);
    if (error != 0) return error;
    return CheckSameEntry(stack.Top(), anchor.name, anchor.id);
}

} // namespace platform
