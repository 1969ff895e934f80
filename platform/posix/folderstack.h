// A chain of open folders from a start folder down to the folder being
// worked on, each checked to be the folder that was found (device, inode),
// and helpers that act on one entry of a held folder only while it is
// still the entry that was found.
//
// Everything below the start folder is reached with openat relative to
// its parent and O_NOFOLLOW, so a folder swapped for a symbolic link is
// never entered. At most kHeldFolders folders stay open; a deeper chain
// closes the folders above and reopens them on the way back through ".."
// (or, failing that, step by step from the nearest open folder), checking
// each against its identity. No full path is ever resolved below the start
// folder, so the depth of a tree is limited by nothing but memory.
#pragma once

#include "platform/systemerror.h"
#include "platform/treewalk.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include <string>
#include <vector>

namespace platform {

[[nodiscard]] EntryIdentity IdentityOf(const struct stat& status);

// The identity of name in folder fd (links not followed); errno or 0.
[[nodiscard]] int IdentityAt(int folder, const std::string& name, EntryIdentity& id);

// 0 when name in folder is still the entry expected; else kEntryChanged,
// or the errno of looking (ENOENT when it is gone).
[[nodiscard]] int CheckSameEntry(int folder, const std::string& name,
                                 const EntryIdentity& expected);

// Renames from in folder fromFolder to to in toFolder, never replacing an
// existing to (EEXIST) where the file system can promise it; elsewhere the
// caller's check that to is free stands alone. Returns 0 or errno.
[[nodiscard]] int RenameNoReplaceAt(int fromFolder, const std::string& from, int toFolder,
                                    const std::string& to);

// What a folder's listing says of a name: its type (DT_REG, DT_DIR, ...,
// DT_UNKNOWN when the file system does not say) and inode number. Both may
// be stale by the time the entry is looked at, and on some file systems
// the number differs from what stat reports.
struct ListedEntry {
    unsigned char type = 0;
    uint64_t inode = 0;
};

// The names of the open folder fd, without "." and ".."; false (errno
// set) when it cannot be read. With listed, also what the listing says of
// each name, in the same order.
[[nodiscard]] bool ReadFolderNames(int folder, std::vector<std::string>& names,
                                   std::vector<ListedEntry>* listed = nullptr);

class FolderStack {
public:
    FolderStack() = default;
    ~FolderStack();
    FolderStack(const FolderStack&) = delete;
    FolderStack& operator=(const FolderStack&) = delete;

    // Opens path as the only folder of the chain; links in path are
    // followed (it is the folder the user chose), but with expected it must
    // be that very folder (kEntryChanged otherwise). Returns 0 or errno.
    [[nodiscard]] int OpenStart(const std::string& path, const EntryIdentity* expected = nullptr);
    // Opens the folder the descriptor folder holds (a descriptor of its
    // own, never through a path) as the only folder of the chain, named
    // path; it must be expected. Returns 0, kEntryChanged or errno.
    [[nodiscard]] int OpenHeld(int folder, const std::string& path, const EntryIdentity& expected);
    // Enters the subfolder name of the top folder; ELOOP or ENOTDIR when it
    // is a link or no folder, kEntryChanged when it is another folder than
    // expected. Returns 0 or errno; on failure the chain is unchanged.
    [[nodiscard]] int Enter(const std::string& name, const EntryIdentity& expected);
    // Leaves the top folder (never the start). Returns 0, or kEntryChanged
    // when the folder below could not be reopened as itself; Top() is then
    // -1 until that folder is left too. The start folder is always open.
    int Leave();
    // Leaves folders until depth are left (at least 1); the first error.
    int LeaveTo(size_t depth);

    [[nodiscard]] size_t Depth() const { return frames_.size(); }
    // The top folder's descriptor; -1 when empty or lost (see Leave).
    [[nodiscard]] int Top() const { return frames_.empty() ? -1 : frames_.back().fd; }
    [[nodiscard]] const EntryIdentity& TopIdentity() const { return frames_.back().id; }
    [[nodiscard]] const std::string& TopName() const { return frames_.back().name; }
    // The full path of the top folder, and of its entry name.
    [[nodiscard]] std::string Path() const;
    [[nodiscard]] std::string PathOf(const std::string& name) const;

private:
    struct Frame {
        std::string name; // the start's path for the first frame
        EntryIdentity id;
        int fd = -1;
    };
    int Reopen(size_t index);
    void Close(Frame& frame);

    std::vector<Frame> frames_;
};

// An entry named by a full path, pinned when it was named: its folder and
// that folder's identity, its name and identity.
struct EntryAnchor {
    std::string path;
    std::string folder;
    std::string name;
    EntryIdentity folderId;
    EntryIdentity id;
    // The descriptor of its folder when the caller holds that folder open
    // (it is then reached through it, never through folder); -1 otherwise.
    int heldFolder = -1;
};

// Records path's anchor (its last component is not followed). Returns 0
// or errno (ENOENT when it does not exist, EINVAL for a path without name).
[[nodiscard]] int AnchorPath(const std::string& path, EntryAnchor& anchor);

// Records the anchor of the entry name of the open folder heldFolder (its
// path folderPath, its identity folderId), to be reached through that
// descriptor, which must stay open as long as the anchor is used. Returns 0
// or errno (EINVAL for a name that is no entry name).
[[nodiscard]] int AnchorInHeld(int heldFolder, const std::string& folderPath,
                               const EntryIdentity& folderId, const std::string& name,
                               EntryAnchor& anchor);

// Opens the anchor's folder as stack's start and checks that its entry is
// still the one anchored. Returns 0, kEntryChanged or errno.
[[nodiscard]] int ReachAnchor(const EntryAnchor& anchor, FolderStack& stack);

} // namespace platform
