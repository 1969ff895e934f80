// A Win32 file handle closed when it goes out of scope, and the questions
// the Windows layer asks through one: which entry a path names now, and
// where it really is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) {
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.handle_;
            other.handle_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    [[nodiscard]] HANDLE Get() const { return handle_; }
    [[nodiscard]] bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Gives the handle up without closing it.
    [[nodiscard]] HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    void Close() {
        if (Valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry path names for no access beyond its attributes, a folder
// as well as a file: the link itself unless followLinks. share says what
// others may do while the handle is open (leave out FILE_SHARE_DELETE and
// nobody can rename or delete the entry meanwhile). Invalid on failure,
// with the error in GetLastError.
[[nodiscard]] inline FileHandle OpenEntry(const wchar_t* path, bool followLinks,
                                          DWORD share = kShareAll) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return FileHandle(
        CreateFileW(path, FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, flags, nullptr));
}

// The volume and file index of an open entry; nullopt when the system does
// not tell.
[[nodiscard]] inline std::optional<BY_HANDLE_FILE_INFORMATION> EntryInfo(const FileHandle& entry) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!entry.Valid() || !GetFileInformationByHandle(entry.Get(), &info)) return std::nullopt;
    return info;
}

[[nodiscard]] inline bool SameEntry(const BY_HANDLE_FILE_INFORMATION& a,
                                    const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace platform
