// The program's place from GetModuleFileNameW; its files beside it when
// that folder takes a new file, else in %APPDATA%\Tamble. Paths come back
// native: generalized UTF-8, as widepath.h describes.
#include "platform/locations.h"

#include "platform/paths.h"
#include "platform/win32/widepath.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>
#include <string_view>

namespace platform {
namespace {

constexpr const wchar_t* kConfigFolderName = L"Tamble";
constexpr const char* kSettingsStem = "tamble";

std::wstring Environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value != nullptr ? std::wstring(value) : std::wstring();
}

std::wstring WideProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: ask again with room
    }
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos) return {};
    // "C:\tamble.exe" lives in "C:"; the program's form of a root.
    return path.substr(0, separator);
}

// True when folder takes a new file: Windows tells rights through the
// access lists, which only an attempt reads correctly.
bool TakesNewFiles(const std::wstring& folder) {
    const std::wstring probe =
        folder + L"\\tamble-write-test-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::wstring EnsureFolder(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr); // fails harmlessly when it exists
    return folder;
}

// The user's roaming application data folder (%APPDATA%).
std::wstring RoamingAppData() {
    wchar_t* folder = nullptr;
    std::wstring result;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &folder) == S_OK)
        result = folder;
    CoTaskMemFree(folder);
    return result.empty() ? Environment(L"APPDATA") : result;
}

// True when path is folder or lies below it, letters compared without case.
bool IsAtOrBelow(std::wstring_view path, std::wstring_view folder) {
    while (!folder.empty() && folder.back() == L'\\')
        folder.remove_suffix(1);
    if (folder.empty() || path.size() < folder.size()) return false;
    if (path.size() > folder.size() && path[folder.size()] != L'\\') return false;
    return CompareStringOrdinal(path.data(), static_cast<int>(folder.size()), folder.data(),
                                static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

bool IsSystemProgramFolder(const std::string& folder) {
    const std::optional<std::u16string> wide = WideNativePath(folder);
    if (!wide || wide->empty()) return false;
    const std::wstring_view path(WideChars(*wide), wide->size());
    for (const wchar_t* variable :
         {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"SystemRoot"}) {
        if (IsAtOrBelow(path, Environment(variable))) return true;
    }
    return false;
}

std::string ProgramPath() {
    return NativePath(WideProgramPath().c_str());
}

std::string ProgramFolder() {
    return NativePath(FolderOf(WideProgramPath()).c_str());
}

std::string DataFolder() {
    const std::wstring override = Environment(L"TAMBLE_CONFIG_DIR");
    if (!override.empty()) return NativePath(EnsureFolder(override).c_str());
    const std::wstring programFolder = FolderOf(WideProgramPath());
    if (!programFolder.empty() && !IsSystemProgramFolder(NativePath(programFolder.c_str())) &&
        TakesNewFiles(programFolder))
        return NativePath(programFolder.c_str());
    return NativePath(EnsureFolder(RoamingAppData() + L"\\" + kConfigFolderName).c_str());
}

std::string SettingsFilePath() {
    const std::wstring program = WideProgramPath();
    std::string name = NativePath(program.substr(program.rfind(L'\\') + 1).c_str());
    if (name.empty()) name = kSettingsStem;
    return DataFolder() + "\\" + ReplaceExtension(name, ".ini");
}

} // namespace platform
