// The copy through file handles, so that the target can be checked against
// the source before a byte of it is truncated; the errors of the Win32
// calls come back as the errno values the interface names.
#include "platform/filecopy.h"

#include "platform/win32/filehandle.h"
#include "platform/win32/widepath.h"

#include <windows.h>
// windows.h names CopyFileA or CopyFileW CopyFile; ours is platform::CopyFile.
#undef CopyFile

#include <cerrno>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr DWORD kCopyBuffer = DWORD{1} << 20; // bytes per read

// The errno value for the failure the last Win32 call reported.
int LastErrno() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    default:
        return EIO;
    }
}

// The wide name of a CP932 path, or nullopt when it is empty or names no
// Windows file: copying onto another name than the one the user sees must
// not happen.
std::optional<std::u16string> NativeName(const std::string& path) {
    std::optional<std::u16string> wide = WidePath(path);
    if (wide && wide->empty()) return std::nullopt;
    return wide;
}

int CopyContents(HANDLE from, HANDLE to) {
    std::vector<char> buffer(kCopyBuffer);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, buffer.data(), kCopyBuffer, &got, nullptr)) return LastErrno();
        if (got == 0) return 0;
        for (DWORD done = 0; done < got;) {
            DWORD written = 0;
            if (!WriteFile(to, buffer.data() + done, got - done, &written, nullptr))
                return LastErrno();
            done += written;
        }
    }
}

// Gives the copy the source's last write time and attributes, as the
// system's own CopyFile does; its creation time stays the copy's own.
int KeepTimesAndAttributes(HANDLE to, const BY_HANDLE_FILE_INFORMATION& source) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO info{};
    info.LastWriteTime.LowPart = source.ftLastWriteTime.dwLowDateTime;
    info.LastWriteTime.HighPart = static_cast<LONG>(source.ftLastWriteTime.dwHighDateTime);
    // 0 would leave the attributes as they are; "normal" clears them.
    info.FileAttributes = source.dwFileAttributes & kSettable;
    if (info.FileAttributes == 0) info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(to, FileBasicInfo, &info, sizeof info)) return LastErrno();
    return 0;
}

} // namespace

int CopyFile(const std::string& source, const std::string& target, bool failIfExists) {
    const std::optional<std::u16string> from = NativeName(source);
    const std::optional<std::u16string> to = NativeName(target);
    if (!from || !to) return EINVAL;
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it can be told
    // from a file that cannot be opened.
    const FileHandle in(
        CreateFileW(WideChars(*from), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.Valid()) return LastErrno();
    BY_HANDLE_FILE_INFORMATION sourceInfo{};
    if (!GetFileInformationByHandle(in.Get(), &sourceInfo)) return LastErrno();
    if ((sourceInfo.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
    if (GetFileType(in.Get()) != FILE_TYPE_DISK) return EINVAL;

    if (const DWORD existing = GetFileAttributesW(WideChars(*to));
        existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return EISDIR;
    // Opened without truncation first: the target may be the source itself,
    // and truncating that would destroy the only copy.
    const FileHandle out(CreateFileW(WideChars(*to), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     failIfExists ? CREATE_NEW : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
    if (!out.Valid()) return LastErrno();
    BY_HANDLE_FILE_INFORMATION targetInfo{};
    if (!GetFileInformationByHandle(out.Get(), &targetInfo)) return LastErrno();
    if (SameEntry(sourceInfo, targetInfo) || GetFileType(out.Get()) != FILE_TYPE_DISK)
        return EINVAL;
    if (!SetEndOfFile(out.Get())) return LastErrno();

    if (const int error = CopyContents(in.Get(), out.Get()); error != 0) return error;
    return KeepTimesAndAttributes(out.Get(), sourceInfo);
}

} // namespace platform
