// Entries reached relative to an open folder handle, never through a full
// path, so that a folder renamed or swapped for a junction meanwhile cannot
// send the caller anywhere else; reparse points (junctions, symbolic links)
// are opened as themselves, never followed. And which entry a handle
// stands for: its identity is the volume's serial number, the file index
// and its kind, the attributes FILE_ATTRIBUTE_DIRECTORY and
// FILE_ATTRIBUTE_REPARSE_POINT (a plain file has neither, a folder only
// the first, a link to a folder both).
#pragma once

#include "platform/systemerror.h"
#include "platform/treewalk.h"
#include "platform/win32/filehandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr uint32_t kKindAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// The kind of an identity, from an entry's attributes.
[[nodiscard]] inline uint32_t KindOf(DWORD attributes) {
    return attributes & kKindAttributes;
}

// Whether kind is a real folder (a folder that is a reparse point is not).
[[nodiscard]] inline bool IsFolderKind(uint32_t kind) {
    return kind == FILE_ATTRIBUTE_DIRECTORY;
}

// The identity of the open entry; nullopt (GetLastError set) when the
// system does not tell.
[[nodiscard]] std::optional<EntryIdentity> IdentityOfHandle(const FileHandle& entry);

// What an entry is opened for.
enum class OpenFor {
    Identity,  // its attributes only: any kind, and no sharing conflict with anyone
    Listing,   // a folder, to list it and open its entries relative to it
    Deletion,  // a non-folder, to delete it (and clear its read-only attribute)
    NewFolder, // a folder made under a name no entry has (ERROR_ALREADY_EXISTS otherwise)
    NewFile,   // an empty file made so
};

// Opens the entry name (one bare name) of the open folder for purpose,
// never following a reparse point. share: what others may do while the
// handle is open (without FILE_SHARE_DELETE nobody can rename or delete
// the entry meanwhile). Returns the handle; an invalid one on failure with
// the Win32 error in error: ERROR_INVALID_NAME for "", ".", ".." or a name
// holding a separator, ERROR_DIRECTORY when Listing finds no folder,
// ERROR_FILE_NOT_FOUND when the entry is gone.
[[nodiscard]] FileHandle OpenRelative(const FileHandle& folder, std::u16string_view name,
                                      OpenFor purpose, DWORD share, DWORD& error);

// Opens the folder of the native path for listing; reparse points in the
// path are followed (it is the folder the user chose), and a drive alone
// ("C:") is its root. With expected it must be that very folder. Returns
// the handle; an invalid one on failure with error: the Win32 error,
// ERROR_INVALID_NAME when path names no Windows file, ERROR_DIRECTORY when
// it is no folder, kEntryChanged when it is another folder than expected.
[[nodiscard]] FileHandle OpenStartFolder(const std::string& path, DWORD share,
                                         const EntryIdentity* expected, DWORD& error);

struct ListedEntry {
    std::u16string name;
    DWORD attributes = 0;
};

// The entries of a folder opened for listing and not listed before,
// without "." and "..". False, with the Win32 error in error, when it
// cannot be read to its end.
[[nodiscard]] bool ReadFolderEntries(const FileHandle& folder, std::vector<ListedEntry>& entries,
                                     DWORD& error);

} // namespace platform
