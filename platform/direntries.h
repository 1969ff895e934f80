// Entries of one folder, with the attribute bits of the Windows folder
// search, and the drives the folder tree starts from. Paths and names are
// CP932 bytes in the native path form (pathstyle.h).
//
// Attributes on POSIX, from lstat (and stat for symbolic links):
//   kAttrDirectory  a folder, or a symbolic link to one (then also
//                   kAttrReparsePoint); no other bit is set on folders,
//                   so file lists never show them
//   kAttrArchive    every entry that is not a folder
//   kAttrHidden     a name that starts with "." (files only)
//   kAttrReadOnly   a file that nobody may write to
// On Windows the attributes are the system's own, and the system's folder
// search reads the masks.
#pragma once

#include "platform/treewalk.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrTemporary = 0x100;
inline constexpr uint32_t kAttrReparsePoint = 0x400;
inline constexpr uint32_t kAttrCompressed = 0x800;

struct DirEntry {
    std::string name; // bare name, CP932
    uint32_t attributes = 0;
    uint64_t size = 0; // bytes, files only
    bool sized = true; // false when the size was not looked up (see EnumerateFolder)
};

// True when name matches mask by the rules of the Windows folder search:
// "*" any run, "?" one character, ASCII letters without regard to case,
// and a mask ending in ".*" also takes names without a dot, so "*.*"
// takes every name and "read.*" takes "read". An empty mask matches nothing.
[[nodiscard]] bool MatchFolderMask(const std::string& name, const std::string& mask);

// A further test on names, made before anything else is asked about an entry.
using NameFilter = std::function<bool(const std::string& name)>;

// Calls visit for every entry of folder whose name matches mask (and passes
// wanted, when given), in the order the system gives them, "." and ".."
// included (as folders; a drive root on Windows has neither), until visit
// returns false. With fileDetails false, entries that are plainly files
// are reported without their size or read-only bit, which saves a system
// call per file when only folders are wanted (their sized is false).
// Returns false when the folder cannot be read (nothing was visited).
bool EnumerateFolder(const std::string& folder, const std::string& mask, bool fileDetails,
                     const std::function<bool(const DirEntry&)>& visit,
                     const NameFilter& wanted = {});

// What tells whether a folder's entries may have changed since it was
// read: which folder it is, and when an entry was last added, removed or
// renamed in it (in the system's own units). A file written to in place
// changes no stamp of its folder.
struct FolderStamp {
    EntryIdentity id;
    int64_t modified = 0;
    friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
};

// The stamp of the folder path names (links followed), from one look-up;
// nullopt when it cannot be told.
[[nodiscard]] std::optional<FolderStamp> StampOfFolder(const std::string& path);

// The size of the file name in folder (a link followed to its file);
// nullopt when there is none.
[[nodiscard]] std::optional<uint64_t> FileSizeIn(const std::string& folder,
                                                 const std::string& name);

// True when path names an existing folder (symbolic links followed).
[[nodiscard]] bool FolderExists(const std::string& path);

// The process's current folder; "" when it cannot be told.
[[nodiscard]] std::string CurrentFolder();

struct Drive {
    std::string root;        // "/", a home folder or a mount point ("D:" on Windows)
    std::string displayName; // what the user knows the drive by; "" for "/"
};

// The drives: "/", the home folder, then the mounted removable volumes
// (below /media, /run/media and /mnt), each once, in that order. On
// Windows: every drive root ("C:", "D:") in the system's order, named as
// the shell names it ("" when it has no name).
[[nodiscard]] std::vector<Drive> ListDrives();

} // namespace platform
