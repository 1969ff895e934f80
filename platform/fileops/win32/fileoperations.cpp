// The file operations through the shell's own SHFileOperationW: its
// questions, progress, error boxes and Recycle Bin, owned by the caller's
// window. Before the shell runs, two requests it might carry out wrongly
// are refused here: a folder copied or moved into itself, and a rename
// onto a name already taken (without boxes the shell would replace it).
// A rename that only changes letter case is done here directly.
#include "platform/fileops/fileoperations.h"

#include "platform/codepage.h"
#include "platform/fileops/operationrun.h"
#include "platform/win32/filehandle.h"
#include "platform/win32/relativeentries.h"
#include "platform/win32/widepath.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

namespace platform {
namespace {

const char* const kErrorTitle = "エラー";

void ShowError(const FileOperationContext& context, const std::string& text) {
    context.prompts->Message(text, Cp932(kErrorTitle), PromptIcon::Error);
}

// The shell's list: every name followed by one NUL, one more NUL at the
// end. nullopt (after a message) when a path names no Windows file.
std::optional<std::u16string> ShellList(const FileOperationContext& context,
                                        const std::vector<std::string>& paths) {
    std::u16string list;
    for (const std::string& path : paths) {
        const std::optional<std::u16string> wide = WideNativePath(path);
        if (!wide || wide->empty()) {
            ShowError(context, Quoted(path) + Cp932(" はファイル名として扱えません。"));
            return std::nullopt;
        }
        list += *wide;
        list.push_back(u'\0');
    }
    list.push_back(u'\0');
    return list;
}

// Where the entry path names really is, links resolved unless it is one
// itself; "" when it cannot be opened.
std::wstring FinalPath(const std::u16string& path, bool followLinks) {
    const FileHandle entry = OpenEntry(WideChars(path), followLinks);
    if (!entry.Valid()) return {};
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(
            entry.Get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return {};
        if (length < final.size()) {
            final.resize(length);
            return final;
        }
        final.resize(length + 1);
    }
}

// True when path is folder or lies below it, letters compared without case.
bool IsAtOrBelow(const std::wstring& path, const std::wstring& folder) {
    if (folder.empty() || path.size() < folder.size()) return false;
    if (path.size() > folder.size() && path[folder.size()] != L'\\' && folder.back() != L'\\')
        return false;
    return CompareStringOrdinal(path.data(), static_cast<int>(folder.size()), folder.data(),
                                static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

// False (after a message) when a folder of paths holds destination.
bool NoFolderIntoItself(const FileOperationContext& context, const std::vector<std::string>& paths,
                        const std::string& destination) {
    const std::optional<std::u16string> target = WideNativePath(destination);
    const std::wstring into = target ? FinalPath(*target, true) : std::wstring();
    if (into.empty()) return true; // the shell reports a missing destination itself
    for (const std::string& path : paths) {
        const std::optional<std::u16string> source = WideNativePath(path);
        if (!source) continue;
        const DWORD attributes = GetFileAttributesW(WideChars(*source));
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        if (IsAtOrBelow(into, FinalPath(*source, false))) {
            ShowError(context, Cp932("フォルダ ") + Quoted(path) +
                                   Cp932(" をそれ自身の中やそのサブフォルダの中へコピーまたは"
                                         "移動することはできません。"));
            return false;
        }
    }
    return true;
}

// The held folders cannot be renamed or deleted while they are held, so a
// folder that is still named by its path at the start stays so while the
// shell works in it by path.
int RunShell(const FileOperationContext& context, UINT operation,
             const std::vector<std::string>& paths, const std::string* destination,
             FILEOP_FLAGS flags) {
    if (paths.empty()) return kFileOperationDone;
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    const std::optional<std::u16string> from = ShellList(context, paths);
    if (!from) return kFileOperationFailed;
    std::optional<std::u16string> to;
    if (destination != nullptr) {
        to = ShellList(context, {*destination});
        if (!to) return kFileOperationFailed;
    }
    if (!context.shellBoxes) flags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFILEOPSTRUCTW operation_{};
    operation_.hwnd = reinterpret_cast<HWND>(context.shellWindow);
    operation_.wFunc = operation;
    operation_.pFrom = WideChars(*from);
    operation_.pTo = to ? WideChars(*to) : nullptr;
    operation_.fFlags = flags;
    const int result = SHFileOperationW(&operation_);
    if (operation_.fAnyOperationsAborted) return kFileOperationCancelled;
    return result == 0 ? kFileOperationDone : kFileOperationFailed;
}

} // namespace

int DeletePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
                bool toTrash) {
    return RunShell(context, FO_DELETE, paths, nullptr, toTrash ? FOF_ALLOWUNDO : 0);
}

int CopyPaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination, bool renameOnCollision) {
    if (!NoFolderIntoItself(context, paths, destination)) return kFileOperationFailed;
    const FILEOP_FLAGS flags = FOF_ALLOWUNDO | (renameOnCollision ? FOF_RENAMEONCOLLISION : 0);
    return RunShell(context, FO_COPY, paths, &destination, flags);
}

int MovePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination) {
    if (!NoFolderIntoItself(context, paths, destination)) return kFileOperationFailed;
    return RunShell(context, FO_MOVE, paths, &destination, FOF_ALLOWUNDO);
}

int RenamePath(const FileOperationContext& context, const std::string& path,
               const std::string& newPath) {
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    const std::optional<std::u16string> from = WideNativePath(path);
    const std::optional<std::u16string> to = WideNativePath(newPath);
    if (from && to) {
        const std::optional<BY_HANDLE_FILE_INFORMATION> source =
            EntryInfo(OpenEntry(WideChars(*from), false));
        const std::optional<BY_HANDLE_FILE_INFORMATION> taken =
            EntryInfo(OpenEntry(WideChars(*to), false));
        if (source && taken && !SameEntry(*source, *taken)) {
            ShowError(context, Quoted(newPath) + Cp932(" はすでにあります。"));
            return kFileOperationFailed;
        }
        // A name that differs only in case names the same entry: nothing
        // can be replaced, and not every shell takes it for a rename.
        if (source && taken && *from != *to) {
            if (MoveFileExW(WideChars(*from), WideChars(*to), 0)) return kFileOperationDone;
            ShowError(context, Quoted(path) + Cp932(" の名前を変更できません。"));
            return kFileOperationFailed;
        }
    }
    return RunShell(context, FO_RENAME, {path}, &newPath, FOF_ALLOWUNDO);
}

} // namespace platform

// --- Deleting what a tree walk found, on Windows. Every folder on the way to
// a found file is opened relative to its parent, checked to be the folder
// found and held open without delete sharing, so that nobody can rename or
// replace it until the end; each file is opened relative to its folder as
// itself (a link as the link) and deleted through that handle only once
// its identity is checked. The Recycle Bin has no handle interface, so
// there the shell moves the checked paths, while the folders stay held.
namespace platform {
namespace {

constexpr const char* kCannotDelete = " を削除できません";
constexpr const char* kCannotTrash = " をごみ箱に移動できません";

// Others may read and write in the held folders, but neither rename nor
// delete them.
constexpr DWORD kHoldShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The attributes a program may set; the others describe the entry.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The found folders, each opened once when first needed and held to the end.
class HeldFolders {
public:
    explicit HeldFolders(const FoundEntries& found)
        : found_(found), handles_(found.folders.size()), errors_(found.folders.size(), 0) {}

    // The handle of found folder index, reached from the start through the
    // folders found on the way; null with error (kEntryChanged for a folder
    // replaced since it was found) when it cannot be reached.
    const FileHandle* Reach(size_t index, DWORD& error) {
        std::vector<size_t> chain; // from index up to the first folder already tried
        for (size_t at = index; at != kNoFolder && !Tried(at); at = found_.folders[at].parent)
            chain.push_back(at);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            OpenOne(*it);
        error = errors_[index];
        return error == 0 ? &handles_[index] : nullptr;
    }

private:
    bool Tried(size_t index) const { return handles_[index].Valid() || errors_[index] != 0; }

    void OpenOne(size_t index) {
        const FoundFolder& folder = found_.folders[index];
        DWORD& error = errors_[index];
        if (folder.parent == kNoFolder) {
            handles_[index] = OpenStartFolder(folder.name, kHoldShare, &folder.id, error);
            return;
        }
        if (errors_[folder.parent] != 0) {
            error = errors_[folder.parent];
            return;
        }
        const std::optional<std::u16string> name = WideNativePath(folder.name);
        if (!name) {
            error = ERROR_INVALID_NAME;
            return;
        }
        FileHandle handle =
            OpenRelative(handles_[folder.parent], *name, OpenFor::Listing, kHoldShare, error);
        if (!handle.Valid()) {
            // A link now stands where the folder was, or it is gone.
            if (error == ERROR_DIRECTORY || error == ERROR_FILE_NOT_FOUND) error = kEntryChanged;
            return;
        }
        if (IdentityOfHandle(handle) != folder.id) {
            error = kEntryChanged;
            return;
        }
        handles_[index] = std::move(handle);
    }

    const FoundEntries& found_;
    std::vector<FileHandle> handles_;
    std::vector<DWORD> errors_;
};

// Opens the found file in its held folder for purpose and checks that it
// is still the file found. Invalid with error otherwise.
FileHandle OpenFound(HeldFolders& folders, const FoundFile& file, OpenFor purpose, DWORD& error) {
    const FileHandle* folder = folders.Reach(file.folder, error);
    if (folder == nullptr) return {};
    const std::optional<std::u16string> name = WideNativePath(file.name);
    if (!name) {
        error = ERROR_INVALID_NAME;
        return {};
    }
    FileHandle entry = OpenRelative(*folder, *name, purpose, kShareAll, error);
    if (!entry.Valid()) return {};
    if (IdentityOfHandle(entry) != file.id) {
        error = kEntryChanged;
        return {};
    }
    return entry;
}

bool MarkForDeletion(const FileHandle& entry) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

bool SetAttributes(const FileHandle& entry, DWORD attributes) {
    FILE_BASIC_INFO basic{}; // zero times: left as they are
    basic.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(entry.Get(), FileBasicInfo, &basic, sizeof basic) != 0;
}

// Deletes the entry the handle (opened for deletion) stands for; it is
// gone once the handle is closed. A read-only file goes too, as the
// shell's delete and the POSIX build let it go: the attribute guards the
// contents, not the name. Returns 0 or the Win32 error.
DWORD DeleteThrough(const FileHandle& entry) {
    if (MarkForDeletion(entry)) return 0;
    const DWORD error = GetLastError();
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) == 0)
        return error;
    const DWORD kept = basic.FileAttributes & kSettableAttributes;
    if (!SetAttributes(entry, kept & ~FILE_ATTRIBUTE_READONLY)) return error;
    if (MarkForDeletion(entry)) return 0;
    const DWORD second = GetLastError();
    SetAttributes(entry, kept); // it stays: as it was
    return second;
}

int DeleteForGood(Run& run, HeldFolders& folders, const FoundEntries& found,
                  const std::vector<std::string>& paths) {
    run.BeginProgress("削除しています", 0);
    for (size_t i = 0; i < found.files.size(); ++i) {
        if (!run.Step(paths[i])) return run.Finish(kFileOperationCancelled);
        run.Found(paths[i]);
        DWORD error = 0;
        const FileHandle entry = OpenFound(folders, found.files[i], OpenFor::Deletion, error);
        if (entry.Valid()) error = DeleteThrough(entry);
        if (error != 0) run.Skip(kCannotDelete, paths[i], static_cast<int>(error));
    }
    return run.Finish(kFileOperationDone);
}

// The shell moves the files still found to the Recycle Bin, by their
// paths, with its own question, progress and errors. The folders on every
// path are held, so each path stays inside the start folder; only a file
// put in place of a checked one in the same folder meanwhile would go to
// the Recycle Bin instead of it.
int Trash(Run& run, const FileOperationContext& context, HeldFolders& folders,
          const FoundEntries& found, const std::vector<std::string>& paths) {
    std::vector<std::string> checked;
    for (size_t i = 0; i < found.files.size(); ++i) {
        run.Found(paths[i]);
        DWORD error = 0;
        if (OpenFound(folders, found.files[i], OpenFor::Identity, error).Valid())
            checked.push_back(paths[i]);
        else
            run.Skip(kCannotTrash, paths[i], static_cast<int>(error));
    }
    return run.Finish(checked.empty() ? kFileOperationDone : DeletePaths(context, checked, true));
}

} // namespace

int DeleteFound(const FileOperationContext& context, const FoundEntries& found, bool toTrash) {
    if (found.files.empty() || found.folders.empty()) return kFileOperationDone;
    Run run(context);
    std::vector<std::string> paths;
    paths.reserve(found.files.size());
    for (const FoundFile& file : found.files)
        paths.push_back(found.PathOf(file));
    if (!toTrash && !run.Ask(DeleteQuestion(paths, paths.size()))) return kFileOperationCancelled;
    HeldFolders folders(found);
    DWORD error = 0;
    if (folders.Reach(0, error) == nullptr)
        return run.FailErrno(" の中を削除できません", found.folders.front().name,
                             static_cast<int>(error));
    return toTrash ? Trash(run, context, folders, found, paths)
                   : DeleteForGood(run, folders, found, paths);
}

} // namespace platform
