#include "platform/fileops/shellcommon.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace platform {
namespace {

// A code page 932 path as a file system name; nullopt (after a message)
// when the text holds bytes that name no character, which could mean
// acting on another file than the one the user sees.
std::optional<std::string> NativePath(const ShellOwner& owner, const std::string& path) {
    if (std::optional<std::string> native = FileSystemName(path)) return native;
    owner.prompts->Message(path + Utf8ToCp932(" はファイル名として扱えません。"),
                           Utf8ToCp932("エラー"), PromptIcon::Error);
    return std::nullopt;
}

} // namespace

std::vector<char> BuildSourceBuffer(const std::vector<std::string>& paths) {
    size_t size = 0;
    for (const std::string& path : paths)
        size += path.size() + 2;
    std::vector<char> buffer(std::max<size_t>(size, 2), '\0');
    size_t at = 0;
    for (const std::string& path : paths) {
        std::memcpy(buffer.data() + at, path.data(), path.size());
        at += path.size() + 1;
    }
    return buffer;
}

std::vector<std::string> SplitSourceBuffer(const std::vector<char>& buffer) {
    std::vector<std::string> paths;
    for (size_t at = 0; at < buffer.size() && buffer[at] != '\0';) {
        const auto end =
            std::find(buffer.begin() + static_cast<std::ptrdiff_t>(at), buffer.end(), '\0');
        paths.emplace_back(buffer.begin() + static_cast<std::ptrdiff_t>(at), end);
        at = static_cast<size_t>(end - buffer.begin()) + 1;
    }
    return paths;
}

int ShellFileOperation(const ShellOwner& owner, const std::vector<std::string>& paths,
                       unsigned operation, unsigned flags, const char* destination) {
    // The list travels in the shell's layout, as it would to the system service.
    std::vector<std::string> sources;
    for (const std::string& path : SplitSourceBuffer(BuildSourceBuffer(paths))) {
        const std::optional<std::string> native = NativePath(owner, path);
        if (!native) return kFileOperationFailed;
        sources.push_back(*native);
    }
    if (sources.empty()) return kFileOperationDone;
    std::string target;
    if (operation != kFoDelete) {
        const std::optional<std::string> native =
            NativePath(owner, destination != nullptr ? destination : "");
        if (!native) return kFileOperationFailed;
        target = *native;
    }
    switch (operation) {
    case kFoDelete:
        return DeletePaths(owner, sources, (flags & kFofAllowUndo) != 0);
    case kFoCopy:
        return CopyPaths(owner, sources, target, (flags & kFofRenameOnCollision) != 0);
    case kFoMove:
        return MovePaths(owner, sources, target);
    case kFoRename:
        if (sources.size() != 1) return kFileOperationFailed;
        return RenamePath(owner, sources.front(), target);
    default:
        return kFileOperationFailed;
    }
}

int ShellDelete(const ShellOwner& owner, const std::vector<std::string>& paths, bool toRecycleBin) {
    return ShellFileOperation(owner, paths, kFoDelete, toRecycleBin ? kFofAllowUndo : 0, nullptr);
}

int ShellCopy(const ShellOwner& owner, const std::vector<std::string>& paths,
              const std::string& folder, bool renameOnCollision) {
    const unsigned flags = kFofAllowUndo | (renameOnCollision ? kFofRenameOnCollision : 0);
    return ShellFileOperation(owner, paths, kFoCopy, flags, folder.c_str());
}

int ShellMove(const ShellOwner& owner, const std::vector<std::string>& paths,
              const std::string& folder) {
    return ShellFileOperation(owner, paths, kFoMove, kFofAllowUndo, folder.c_str());
}

int ShellRename(const ShellOwner& owner, const std::vector<std::string>& paths,
                const std::string& newPath) {
    return ShellFileOperation(owner, paths, kFoRename, kFofAllowUndo, newPath.c_str());
}

char* BrowseForFolder(const ShellOwner& owner, char* result, const char* title,
                      const char* initialFolder) {
    result[0] = '\0';
    const std::optional<std::string> chosen = owner.prompts->BrowseFolder(
        title != nullptr ? title : "", initialFolder != nullptr ? initialFolder : "");
    if (!chosen) return result;
    if (chosen->size() >= kMaxPath) {
        owner.prompts->Message(*chosen + Utf8ToCp932(" は長すぎるため選べません。"),
                               Utf8ToCp932("エラー"), PromptIcon::Error);
        return result;
    }
    std::memcpy(result, chosen->c_str(), chosen->size() + 1);
    return result;
}

} // namespace platform
