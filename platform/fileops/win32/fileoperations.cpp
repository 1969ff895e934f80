// The file operations through the shell's own SHFileOperationW: its
// questions, progress, error boxes and Recycle Bin, owned by the caller's
// window. Before the shell runs, two requests it might carry out wrongly
// are refused here: a folder copied or moved into itself, and a rename
// onto a name already taken (without boxes the shell would replace it).
// A rename that only changes letter case is done here directly.
#include "platform/fileops/fileoperations.h"

#include "platform/codepage.h"
#include "platform/win32/filehandle.h"
#include "platform/fileops/operationrun.h"
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
