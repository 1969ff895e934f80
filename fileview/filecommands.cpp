#include "fileview/filecommands.h"

#include "fileview/fileclipboard.h"
#include "platform/codepage.h"
#include "platform/direntries.h"
#include "platform/filereplace.h"
#include "platform/nativepath.h"
#include "platform/paths.h"

#include <algorithm>
#include <filesystem>

namespace tamble {
namespace {

namespace fs = std::filesystem;
using platform::Cp932;
using platform::PromptIcon;
using platform::ShellOwner;

// The input box has no length limit of its own.
constexpr int kNoInputLimit = 0;

// Asks for a name; nullopt when cancelled or left empty, which do nothing.
// A name that is no entry name is refused with a box: typed into a rename,
// "../x" or "sub/x" would move the entry somewhere else instead.
std::optional<std::string> AskName(const ShellOwner& owner, const char* title, const char* prompt,
                                   const std::string& proposed) {
    std::optional<std::string> name =
        owner.prompts->Input(Cp932(title), Cp932(prompt), proposed, kNoInputLimit);
    if (!name || name->empty()) return std::nullopt;
    if (!IsEntryName(*name)) {
        owner.prompts->Message(Cp932("「") + *name + Cp932("」は名前に使えません。"),
                               Cp932("エラー"), PromptIcon::Error);
        return std::nullopt;
    }
    return name;
}

void ReportFolderTaken(const ShellOwner& owner) {
    owner.prompts->Message(Cp932("その名前のフォルダはすでに存在します！！"),
                           Cp932("フォルダ作れませんよっ"), PromptIcon::None);
}

void ReportFileTaken(const ShellOwner& owner) {
    owner.prompts->Message(Cp932("その名前のファイルはすでに存在します！！"),
                           Cp932("ファイル作れませんよっ"), PromptIcon::None);
}

// platform::NativePath gives an empty path for a text holding bytes that
// name no character, which could name another entry: nothing is found,
// made or touched then.

bool FileExists(const std::string& path) {
    const fs::path native = platform::NativePath(path);
    std::error_code error;
    const fs::file_status status = native.empty() ? fs::file_status() : fs::status(native, error);
    return fs::exists(status) && !fs::is_directory(status);
}

bool MakeFolder(const std::string& path) {
    const fs::path native = platform::NativePath(path);
    std::error_code error;
    return !native.empty() && fs::create_directory(native, error);
}

// Creates path as an empty file; fails rather than touch an entry that is
// already there (even a dangling symbolic link).
bool MakeEmptyFile(const std::string& path) {
    const fs::path native = platform::NativePath(path);
    return !native.empty() && platform::CreateEmptyFile(native);
}

// The folder of owner's held folders that folder (CP932) names; null when
// the caller holds none, and the command then goes by the path alone.
const platform::HeldFolder* HeldFolderFor(const ShellOwner& owner, const std::string& folder) {
    const std::optional<std::string> native = platform::FileSystemName(folder);
    if (!native) return nullptr;
    for (const platform::HeldFolder* held : owner.heldFolders) {
        if (held->IsOpen() && held->Path() == *native) return held;
    }
    return nullptr;
}

// Asks for a name as AskName does, in a held folder that must be the folder
// its path names when the question comes and when it is answered: the
// user's name is meant for the folder on screen.
std::optional<std::string> AskNameInHeld(const ShellOwner& owner, const char* title,
                                         const char* prompt, const std::string& proposed) {
    if (platform::RefuseChangedFolder(owner)) return std::nullopt;
    std::optional<std::string> name = AskName(owner, title, prompt, proposed);
    if (!name || platform::RefuseChangedFolder(owner)) return std::nullopt;
    return name;
}

// What creating name in the held folder came to: made, the name taken by a
// folder or by another entry, or a failure of another kind.
enum class Made { Yes, TakenByFolder, TakenByOther, Failed };

Made MakeInHeld(const platform::HeldFolder& folder, const std::string& name, bool asFolder) {
    const std::optional<std::string> native = platform::FileSystemName(name);
    if (!native) return Made::Failed;
    const int error = asFolder ? folder.MakeFolder(*native) : folder.MakeEmptyFile(*native);
    if (error == 0) return Made::Yes;
    platform::EntryIdentity taken;
    if (folder.EntryIdentityOf(*native, taken) != 0) return Made::Failed;
    return platform::IsFolderIdentity(taken) ? Made::TakenByFolder : Made::TakenByOther;
}

} // namespace

bool PasteClipboard(const FileClipboard& clipboard, const ShellOwner& owner,
                    const std::string& destination, const std::vector<std::string>& driveRoots) {
    if (clipboard.ClipboardFiles.empty()) return false;
    const PasteRequest request = PlanPaste(clipboard, destination);
    if (!request.move) {
        return platform::ShellCopy(owner, clipboard.ClipboardFiles, destination,
                                   request.renameOnCollision) == platform::kFileOperationDone;
    }
    for (const std::string& path : clipboard.ClipboardFiles) {
        if (RefuseDriveRoot(owner, path, driveRoots)) return false;
    }
    return platform::ShellMove(owner, clipboard.ClipboardFiles, destination) ==
           platform::kFileOperationDone;
}

bool DeleteFolder(const ShellOwner& owner, const std::string& folder, bool toTrash,
                  const std::vector<std::string>& driveRoots) {
    if (RefuseDriveRoot(owner, folder, driveRoots)) return false;
    return platform::ShellDelete(owner, {folder}, toTrash) == platform::kFileOperationDone;
}

bool DeleteFiles(const ShellOwner& owner, const std::string& folder,
                 const std::vector<std::string>& names, bool toTrash) {
    if (names.empty()) return false;
    const platform::PathStyle style = platform::NativePathStyle();
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(platform::JoinPath(style, folder, name));
    return platform::ShellDelete(owner, paths, toTrash) == platform::kFileOperationDone;
}

std::optional<std::string> RenameFolder(const ShellOwner& owner, const std::string& folder,
                                        const std::string& shownName,
                                        const std::vector<std::string>& driveRoots) {
    if (RefuseDriveRoot(owner, folder, driveRoots)) return std::nullopt;
    const std::optional<std::string> name =
        AskNameInHeld(owner, "フォルダ名の変更", "新しいフォルダ名を入力してください", shownName);
    if (!name) return std::nullopt;
    const platform::PathStyle style = platform::NativePathStyle();
    const std::string renamed =
        platform::JoinPath(style, platform::ParentPath(style, folder), *name);
    if (renamed == folder) return std::nullopt;
    if (platform::ShellRename(owner, {folder}, renamed) != platform::kFileOperationDone)
        return std::nullopt;
    return renamed;
}

bool RenameFile(const ShellOwner& owner, const std::string& folder, const std::string& name) {
    const std::optional<std::string> newName =
        AskNameInHeld(owner, "ファイル名の変更", "新しいファイル名を入力してください", name);
    if (!newName || *newName == name) return false;
    const platform::PathStyle style = platform::NativePathStyle();
    return platform::ShellRename(owner, {platform::JoinPath(style, folder, name)},
                                 platform::JoinPath(style, folder, *newName)) ==
           platform::kFileOperationDone;
}

bool CreateNewFolder(const ShellOwner& owner, const std::string& folder) {
    const std::optional<std::string> name =
        AskNameInHeld(owner, "フォルダの新規作成", "作成するフォルダ名を入力してください", "");
    if (!name) return false;
    if (const platform::HeldFolder* held = HeldFolderFor(owner, folder)) {
        const Made made = MakeInHeld(*held, *name, true);
        if (made == Made::TakenByFolder) ReportFolderTaken(owner);
        return made == Made::Yes;
    }
    const std::string path = platform::JoinPath(platform::NativePathStyle(), folder, *name);
    if (platform::FolderExists(path)) {
        ReportFolderTaken(owner);
        return false;
    }
    return MakeFolder(path);
}

bool CreateNewFile(const ShellOwner& owner, const std::string& folder) {
    const std::optional<std::string> name =
        AskNameInHeld(owner, "ファイルの新規作成", "作成するファイル名を入力してください", "");
    if (!name) return false;
    if (const platform::HeldFolder* held = HeldFolderFor(owner, folder)) {
        const Made made = MakeInHeld(*held, *name, false);
        if (made == Made::TakenByOther) ReportFileTaken(owner);
        return made == Made::Yes;
    }
    const std::string path = platform::JoinPath(platform::NativePathStyle(), folder, *name);
    if (FileExists(path)) {
        ReportFileTaken(owner);
        return false;
    }
    return MakeEmptyFile(path);
}

bool IsEntryName(const std::string& name) {
    const platform::PathStyle style = platform::NativePathStyle();
    if (name.empty() || name == "." || name == ".." || name == std::string(1, Separator(style)))
        return false;
    // Split as a path, so that a separator byte inside a double-byte
    // character does not count.
    const std::vector<std::string> parts = platform::PathComponents(style, name);
    return parts.size() == 1 && parts.front() == name;
}

bool RefuseDriveRoot(const ShellOwner& owner, const std::string& path,
                     const std::vector<std::string>& driveRoots) {
    if (std::find(driveRoots.begin(), driveRoots.end(), path) == driveRoots.end()) return false;
    owner.prompts->Message(path + Cp932(" はドライブなので、削除・移動・名前の変更はできません。"),
                           Cp932("エラー"), PromptIcon::Error);
    return true;
}

} // namespace tamble
