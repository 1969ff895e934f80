// Folder entries through FindFirstFileExW with the attributes exactly as
// Windows reports them; drives from GetLogicalDriveStringsW with the
// shell's display names.
#include "platform/direntries.h"

#include "platform/paths.h"
#include "platform/win32/relativeentries.h"
#include "platform/win32/widepath.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

namespace platform {
namespace {

// A search handle closed however the enumeration ends.
class Search {
public:
    explicit Search(HANDLE handle) : handle_(handle) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;
    [[nodiscard]] HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// "D:" alone names the current folder of drive D; the root is "D:\".
std::string RootedPath(const std::string& path) {
    if (path.size() == 2 && path[1] == ':') return path + "\\";
    return path;
}

// The shell's name of a drive ("Local Disk (C:)"); "" when it has none.
std::string DriveDisplayName(const wchar_t* root) {
    SHFILEINFOW info{};
    // An empty removable drive must not bring up the system's "insert a
    // disk" box while the list is built.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const DWORD_PTR found = SHGetFileInfoW(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    SetErrorMode(previousMode);
    return found != 0 ? Cp932Path(info.szDisplayName) : std::string();
}

} // namespace

bool EnumerateFolder(const std::string& folder, const std::string& mask, bool /*fileDetails*/,
                     const std::function<bool(const DirEntry&)>& visit, const NameFilter& wanted) {
    if (folder.empty()) return false;
    // The system's search reads the wildcards, as it does for every other
    // Windows program (a trailing "?" also takes no character, and a name
    // may match through its short 8.3 alias).
    const std::optional<std::u16string> pattern =
        WidePath(JoinPath(PathStyle::Windows, folder, mask));
    if (!pattern) return false;
    if (mask.empty()) return FolderExists(folder);
    WIN32_FIND_DATAW data{};
    const Search search(FindFirstFileExW(WideChars(*pattern), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
    // A folder where nothing matches is no failure: it was read.
    if (search.Get() == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(folder);
    DirEntry entry;
    do {
        entry.name = Cp932Path(data.cFileName);
        if (wanted && !wanted(entry.name)) continue;
        entry.attributes = data.dwFileAttributes;
        entry.size = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                         ? 0
                         : (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        if (!visit(entry)) break;
    } while (FindNextFileW(search.Get(), &data));
    return true;
}

std::optional<FolderStamp> StampOfFolder(const std::string& path) {
    const std::optional<std::u16string> wide = WidePath(RootedPath(path));
    if (!wide || path.empty()) return std::nullopt;
    const FileHandle folder(CreateFileW(WideChars(*wide), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    FILETIME written{};
    const std::optional<EntryIdentity> id =
        folder.Valid() ? IdentityOfHandle(folder) : std::nullopt;
    if (!id || (id->type & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        !GetFileTime(folder.Get(), nullptr, nullptr, &written))
        return std::nullopt;
    return FolderStamp{*id, static_cast<int64_t>((uint64_t{written.dwHighDateTime} << 32) |
                                                 written.dwLowDateTime)};
}

std::optional<uint64_t> FileSizeIn(const std::string& folder, const std::string& name) {
    const std::optional<std::u16string> wide = WidePath(JoinPath(PathStyle::Windows, folder, name));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!wide || !GetFileAttributesExW(WideChars(*wide), GetFileExInfoStandard, &data))
        return std::nullopt;
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool FolderExists(const std::string& path) {
    // Opened rather than asked for its attributes, so that a link counts
    // by what it leads to and a dangling one is no folder.
    return StampOfFolder(path).has_value();
}

std::string CurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    if (length == 0 || length >= size) return {};
    folder.resize(length);
    // A drive root comes as "C:\"; the program's form is "C:".
    if (folder.size() == 3 && folder[1] == L':' && folder[2] == L'\\') folder.pop_back();
    return Cp932Path(folder.c_str());
}

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives;
    const DWORD size = GetLogicalDriveStringsW(0, nullptr);
    if (size == 0) return drives;
    std::wstring roots(size, L'\0');
    const DWORD length = GetLogicalDriveStringsW(size, roots.data());
    if (length == 0 || length >= size) return drives;
    // "C:\", NUL, "D:\", NUL, ..., NUL
    for (const wchar_t* root = roots.c_str(); *root != L'\0'; root += wcslen(root) + 1) {
        std::string name = Cp932Path(root);
        if (!name.empty() && name.back() == '\\') name.pop_back();
        drives.push_back({name, DriveDisplayName(root)});
    }
    return drives;
}

} // namespace platform
