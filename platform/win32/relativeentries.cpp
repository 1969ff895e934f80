#include "platform/win32/relativeentries.h"

#include "platform/win32/widepath.h"

#include <winternl.h>

namespace platform {
namespace {

// What each purpose asks of the system: access rights and create options.
struct OpenRequest {
    ACCESS_MASK access;
    ULONG options;
    ULONG disposition = FILE_OPEN;
};

OpenRequest RequestFor(OpenFor purpose) {
    constexpr ULONG kAsItself = FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT;
    switch (purpose) {
    case OpenFor::Listing:
        return {FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                kAsItself | FILE_DIRECTORY_FILE};
    case OpenFor::Deletion:
        return {DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                kAsItself | FILE_NON_DIRECTORY_FILE};
    case OpenFor::NewFolder:
        return {FILE_LIST_DIRECTORY | SYNCHRONIZE, kAsItself | FILE_DIRECTORY_FILE, FILE_CREATE};
    case OpenFor::NewFile:
        return {GENERIC_WRITE | SYNCHRONIZE, kAsItself | FILE_NON_DIRECTORY_FILE, FILE_CREATE};
    case OpenFor::Identity:
        break;
    }
    return {FILE_READ_ATTRIBUTES | SYNCHRONIZE, kAsItself};
}

bool IsBareName(std::u16string_view name) {
    return !name.empty() && name != u"." && name != u".." &&
           name.find_first_of(u"\\/", 0, 3) == std::u16string_view::npos;
}

// "C:" names the current folder of drive C; the user's "C:" is its root.
std::u16string RootOfBareDrive(std::u16string path) {
    if (path.size() == 2 && path[1] == u':') path.push_back(u'\\');
    return path;
}

} // namespace

std::optional<EntryIdentity> IdentityOfHandle(const FileHandle& entry) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> info = EntryInfo(entry);
    if (!info) return std::nullopt;
    return EntryIdentity{info->dwVolumeSerialNumber,
                         (static_cast<uint64_t>(info->nFileIndexHigh) << 32) | info->nFileIndexLow,
                         KindOf(info->dwFileAttributes)};
}

FileHandle OpenRelative(const FileHandle& folder, std::u16string_view name, OpenFor purpose,
                        DWORD share, DWORD& error) {
    // Names longer than a counted string can hold are no names either.
    if (!IsBareName(name) || name.size() > 0x7FFF) {
        error = ERROR_INVALID_NAME;
        return {};
    }
    UNICODE_STRING text;
    text.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(name.data()));
    text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    // Not OBJ_CASE_INSENSITIVE: the name is the one listed, letter for letter.
    InitializeObjectAttributes(&attributes, &text, 0, folder.Get(), nullptr);
    const OpenRequest request = RequestFor(purpose);
    IO_STATUS_BLOCK status{};
    HANDLE handle = nullptr;
    const NTSTATUS result =
        NtCreateFile(&handle, request.access, &attributes, &status, nullptr, FILE_ATTRIBUTE_NORMAL,
                     share, request.disposition, request.options, nullptr, 0);
    if (result < 0) {
        error = RtlNtStatusToDosError(result);
        return {};
    }
    error = 0;
    return FileHandle(handle);
}

FileHandle OpenStartFolder(const std::string& path, DWORD share, const EntryIdentity* expected,
                           DWORD& error) {
    const std::optional<std::u16string> wide = WideNativePath(path);
    if (!wide || wide->empty()) {
        error = ERROR_INVALID_NAME;
        return {};
    }
    FileHandle folder(CreateFileW(WideChars(RootOfBareDrive(*wide)),
                                  FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, share,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.Valid()) {
        error = GetLastError();
        return {};
    }
    const std::optional<EntryIdentity> id = IdentityOfHandle(folder);
    if (!id) {
        error = GetLastError();
        return {};
    }
    if ((id->type & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = ERROR_DIRECTORY;
        return {};
    }
    if (expected != nullptr && *id != *expected) {
        error = kEntryChanged;
        return {};
    }
    error = 0;
    return folder;
}

bool ReadFolderEntries(const FileHandle& folder, std::vector<ListedEntry>& entries, DWORD& error) {
    entries.clear();
    // 8-byte units: the records are aligned so.
    std::vector<uint64_t> buffer(8192);
    for (;;) {
        if (!GetFileInformationByHandleEx(folder.Get(), FileIdBothDirectoryInfo, buffer.data(),
                                          static_cast<DWORD>(buffer.size() * sizeof(uint64_t)))) {
            error = GetLastError();
            if (error != ERROR_NO_MORE_FILES) return false;
            error = 0;
            return true;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
        for (;;) {
            const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
            const std::u16string_view name =
                UnitsOf(record->FileName, record->FileNameLength / sizeof(wchar_t));
            if (name != u"." && name != u"..")
                entries.push_back({std::u16string(name), record->FileAttributes});
            if (record->NextEntryOffset == 0) break;
            bytes += record->NextEntryOffset;
        }
    }
}

} // namespace platform
