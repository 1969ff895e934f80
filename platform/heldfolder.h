// A folder held open, with its identity, so that commands on what a view
// showed of it act on that folder and never on whatever its path names
// later: the file page's listed folder, the folder its clipboard's entries
// came from. On POSIX it is an open descriptor; on Windows a handle
// opened without delete sharing, so that nobody can rename or delete the
// folder while it is held. Paths are native (UTF-8 on POSIX, generalized
// UTF-8 on Windows).
#pragma once

#include "platform/treewalk.h"

#include <cstdint>
#include <string>

namespace platform {

// Whether id is that of a real folder (not a link to one).
[[nodiscard]] bool IsFolderIdentity(const EntryIdentity& id);

class HeldFolder {
public:
    HeldFolder() = default;
    ~HeldFolder();
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    // Opens the folder path names (links in it followed: it is the folder
    // the user chose), letting go of the one held before. Returns 0, or the
    // system's error (errno, Win32 error), and then holds nothing.
    [[nodiscard]] int Open(const std::string& path);
    // Holds the same folder as other (nothing when other holds nothing).
    // Returns 0 or the system's error.
    [[nodiscard]] int OpenSame(const HeldFolder& other);
    void Close();

    [[nodiscard]] bool IsOpen() const;
    // The path it was opened by, and the identity of the folder held.
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] const EntryIdentity& Identity() const { return id_; }
    // Whether its path still names the folder held. False when nothing
    // is held, or the path now leads elsewhere, or nowhere.
    [[nodiscard]] bool StillNamed() const;
    // The identity of the entry name of the folder held (a link is not
    // followed). Returns 0 or the system's error.
    [[nodiscard]] int EntryIdentityOf(const std::string& name, EntryIdentity& id) const;
    // Creates the folder, or the new empty file, name (a bare name) in the
    // folder held, in one step with the check that the name is free, so
    // that no entry of that name is ever replaced or followed. Returns 0 or
    // the system's error: EEXIST (Windows: ERROR_ALREADY_EXISTS,
    // ERROR_FILE_EXISTS) when the name is taken.
    [[nodiscard]] int MakeFolder(const std::string& name) const;
    [[nodiscard]] int MakeEmptyFile(const std::string& name) const;
    // The descriptor (POSIX) or HANDLE (Windows); -1 when nothing is held.
    [[nodiscard]] intptr_t Native() const { return native_; }

private:
    std::string path_;
    EntryIdentity id_;
    intptr_t native_ = -1;
};

} // namespace platform
