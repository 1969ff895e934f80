#include "filereplace.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace platform {
namespace {

// Names tried before giving up; a name is only taken by a stray file that
// a killed save of an earlier process with the same id left behind.
constexpr int kTemporaryNameAttempts = 64;
// WriteFile takes at most a DWORD of bytes at a time.
constexpr size_t kWriteChunk = 1 << 30;

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), length);
    return wide;
}

// Creates a fresh temporary file beside target; its handle (name in
// temporary), or INVALID_HANDLE_VALUE.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temporary) {
    static std::atomic<unsigned long> counter{0};
    const size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = folder + L".tamble-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(counter++) + L".tmp~";
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

} // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::wstring target = Wide(path);
    if (target.empty()) return false;
    std::wstring temporary;
    const HANDLE file = CreateTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = WriteAll(file, bytes);
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    // One step that replaces an existing target: removing the target first
    // would lose it whenever the move then failed.
    ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

} // namespace platform
