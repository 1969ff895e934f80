#include "platform/filereplace.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>

namespace platform {
namespace {

// Names tried before giving up; a name is only taken by a stray file that
// a killed save of an earlier process with the same id left behind.
constexpr int kTemporaryNameAttempts = 64;
// WriteFile takes at most a DWORD of bytes at a time.
constexpr size_t kWriteChunk = 1 << 30;
// A rename over a file that another program holds open fails at once; it is
// tried again this often, the pauses growing to kLongestPauseMs, about two
// seconds in all.
constexpr int kRenameAttempts = 60;
constexpr DWORD kLongestPauseMs = 40;
// The target's attributes that the new file takes over. Read-only is not
// among them: a read-only target refuses the save.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The folder part of target, with its separator ("" for a bare name).
std::wstring FolderPart(const std::wstring& target) {
    const size_t slash = target.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
}

// Creates a fresh temporary file beside target; its handle (name in
// temporary), or INVALID_HANDLE_VALUE.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temporary) {
    static std::atomic<unsigned long> counter{0};
    const std::wstring folder = FolderPart(target);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string name = SaveTemporaryName(GetCurrentProcessId(), counter++);
        temporary = folder + std::wstring(name.begin(), name.end());
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    for (size_t written = 0; written < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - written, kWriteChunk));
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &put, nullptr) || put == 0)
            return false;
        written += put;
    }
    return true;
}

// Whether a failed rename onto target may succeed later: the target is a
// plain, writable file that someone holds open, not a folder or a
// read-only file, which refuse it for good.
bool MayPassLater(const std::wstring& target, DWORD error) {
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION &&
        error != ERROR_LOCK_VIOLATION)
        return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

// One step that replaces an existing target: removing the target first
// would lose it whenever the move then failed.
bool RenameOver(const std::wstring& temporary, const std::wstring& target) {
    DWORD pause = 1;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kRenameAttempts || !MayPassLater(target, GetLastError())) return false;
        Sleep(pause);
        pause = std::min(pause * 2, kLongestPauseMs);
    }
}

// Whether process id may still run. A process that cannot be opened for
// want of rights runs (under another user); only an id that names no
// process, or one that has ended, does not.
bool ProcessMayRun(unsigned long process) {
    if (process > 0xFFFFFFFFul) return true;
    const HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                      static_cast<DWORD>(process));
    if (handle == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return !ended;
}

// Removes the save temporaries in folder (with its separator) left by
// processes that no longer run; only files, never a folder or a link.
void RemoveAbandonedTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L".tamble-save-*.tmp~").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring wide = entry.cFileName;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        // The names this program makes are ASCII; any other is no temporary of it.
        std::string name;
        for (const wchar_t c : wide)
            name.push_back(c < 0x80 ? static_cast<char>(c) : '\0');
        const std::optional<unsigned long> process = SaveTemporaryProcess(name);
        if (process && !ProcessMayRun(*process)) DeleteFileW((folder + wide).c_str());
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

} // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& bytes) {
    const std::wstring& target = path.native();
    if (target.empty()) return false;
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY)) return false;
    // First, so that the space they hold is free for this save.
    RemoveAbandonedTemporaries(FolderPart(target));
    std::wstring temporary;
    const HANDLE file = CreateTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = WriteAll(file, bytes);
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok && old != INVALID_FILE_ATTRIBUTES && (old & kKeptAttributes))
        ok = SetFileAttributesW(temporary.c_str(), old & kKeptAttributes);
    ok = ok && RenameOver(temporary, target);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

} // namespace platform
