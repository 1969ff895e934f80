// A walk through a folder tree that remembers what it found, so that a
// later step can act on exactly those entries and never on whatever a path
// resolves to by then. Paths and names are native (UTF-8 on POSIX,
// generalized UTF-8 on Windows).
//
// The walk goes through open folder handles and never follows a symbolic
// link: a link is an entry of its folder like a file. On Windows every
// reparse point (a junction, a symbolic link) is such a link. It is iterative, so
// a tree of any depth (also one whose full paths exceed the system's limit)
// is walked, and it never yields its start folder or a folder as a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Which entry a name stood for when it was found: its device, inode and
// kind (the S_IFMT bits); on Windows the volume's serial number, the file
// index and the attributes FILE_ATTRIBUTE_DIRECTORY and
// FILE_ATTRIBUTE_REPARSE_POINT. Two identities are equal only for the
// same entry.
struct EntryIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint32_t type = 0;
    friend bool operator==(const EntryIdentity&, const EntryIdentity&) = default;
};

inline constexpr size_t kNoFolder = static_cast<size_t>(-1);

struct FoundFolder {
    size_t parent = kNoFolder; // index in FoundEntries::folders; kNoFolder for the start
    std::string name;          // the start folder's path, else the bare name
    EntryIdentity id;
};

struct FoundFile {
    size_t folder = 0; // index of its folder in FoundEntries::folders
    std::string name;  // bare name, never empty, "." or ".."
    EntryIdentity id;
};

// What a walk found. folders[0] is the start folder whenever it could be
// opened; every folder on the way to a found file is recorded, so that it
// can be reached again step by step and checked at each step.
struct FoundEntries {
    std::vector<FoundFolder> folders;
    std::vector<FoundFile> files; // in the order the walk met them (depth first)
    // Folders the walk could not search (unreadable, or replaced while it
    // ran), with the start folder when that could not be opened.
    std::vector<std::string> unreadableFolders;

    // The full path of folder index / of a found file.
    [[nodiscard]] std::string FolderPath(size_t index) const;
    [[nodiscard]] std::string PathOf(const FoundFile& file) const;
};

struct WalkVisitor {
    // Whether to enter the subfolder name (a real folder, never a link).
    // Empty: never enter.
    std::function<bool(const std::string& name)> enterFolder;
    // Whether to keep the entry name that is no folder (a file, a link to
    // anything but a folder, a device...). Links to folders are never kept
    // nor entered. Empty: keep nothing.
    std::function<bool(const std::string& name)> keepFile;
    // Test hook: called with an entry's full path once it has been found
    // (and, when it is kept or entered, its identity recorded), before the
    // walk enters or keeps it.
    std::function<void(const std::string& path)> entryFound;
};

// Walks the tree below start (start itself is opened following links in
// its path: it is the folder the user chose). Returns what visitor kept,
// in found. False when start could not be opened as a folder; it is then
// the one entry of found.unreadableFolders.
bool WalkTree(const std::string& start, const WalkVisitor& visitor, FoundEntries& found);

} // namespace platform
