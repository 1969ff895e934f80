// The file commands of the file view's two context menus, apart from any
// widget: paste, delete, rename, new folder and new file. Each asks its
// questions through owner.prompts and leaves the work on files to the
// shell's operations (shellcommon.h), except creating, which is the
// system's. Paths and names are CP932 bytes in the native path form.
//
// A command holds the folders its caller holds (owner.heldFolders: the
// file page's listed folder, the clipboard's source folder). It refuses,
// with a box naming the folder, once one of them is no longer the folder
// its path names: before it asks for a name and again after, and the
// shell's operations check again before and after their own questions.
// New entries in a held folder are made through its handle.
//
// A command that changed files returns true (or the new path), so that the
// caller refreshes its views; false means nothing changed: nothing to do,
// the user cancelled, or a failure that a box has already explained (or
// that fails silently, as creating does).
#pragma once

#include "fileview/fileclipboard.h"
#include "platform/fileops/shellcommon.h"

#include <optional>
#include <string>
#include <vector>

namespace tamble {

// Pastes the clipboard into destination: the shell's move for cut paths,
// its copy for copied ones, with new names for copies pasted into the
// folder they came from. False at once when the clipboard is empty.
// driveRoots: the folders the tree shows as drives; a cut drive is refused.
bool PasteClipboard(const FileClipboard& clipboard, const platform::ShellOwner& owner,
                    const std::string& destination, const std::vector<std::string>& driveRoots);

// Deletes folder, to the trash when toTrash, else for good. A drive is refused.
bool DeleteFolder(const platform::ShellOwner& owner, const std::string& folder, bool toTrash,
                  const std::vector<std::string>& driveRoots);

// Deletes the files names of folder, in their order. False when names is empty.
bool DeleteFiles(const platform::ShellOwner& owner, const std::string& folder,
                 const std::vector<std::string>& names, bool toTrash);

// Asks for a new name of folder ("フォルダ名の変更", proposing shownName)
// and renames it within its parent. Returns the new full path when renamed;
// nullopt when cancelled, left empty or unchanged, refused, or failed.
// A drive is refused before anything is asked.
std::optional<std::string> RenameFolder(const platform::ShellOwner& owner,
                                        const std::string& folder, const std::string& shownName,
                                        const std::vector<std::string>& driveRoots);

// Asks for a new name of the file name in folder ("ファイル名の変更") and
// renames it. True when renamed.
bool RenameFile(const platform::ShellOwner& owner, const std::string& folder,
                const std::string& name);

// Asks for a name ("フォルダの新規作成") and creates that folder in folder.
// A folder of that name already there is reported in a box and nothing is
// created. True when created.
bool CreateNewFolder(const platform::ShellOwner& owner, const std::string& folder);

// Asks for a name ("ファイルの新規作成") and creates that empty file in
// folder. A file of that name already there is reported in a box; an
// existing entry of any kind is never replaced or truncated. True when created.
bool CreateNewFile(const platform::ShellOwner& owner, const std::string& folder);

// True when name can name an entry of a folder: not empty, no path
// separator, neither "." nor "..". ("a.txt" yes; "sub/a.txt", "..", "" no.)
[[nodiscard]] bool IsEntryName(const std::string& name);

// When path is one of driveRoots, says in a box that a drive cannot be
// deleted, moved or renamed and returns true. The file view's drives on
// Linux are real folders, the home folder among them, which the shell on
// Windows would never let go; they are refused for the same reason.
bool RefuseDriveRoot(const platform::ShellOwner& owner, const std::string& path,
                     const std::vector<std::string>& driveRoots);

} // namespace tamble
