// The shell's file operations, provided by the program where the system
// has no such service: delete (to the trash or for good), copy, move and
// rename of files and folders, with the confirmations, progress and error
// messages the user expects. Paths are native (UTF-8 on POSIX); texts shown
// to the user go through UserPrompts as code page 932.
//
// On Windows the shell's own file operation (SHFileOperationW) does the
// work, with its own questions, progress, error boxes and Recycle Bin; the
// rules below are those of the program's own implementation elsewhere,
// except the first, which both keep.
//
// Rules every operation keeps, so that no file is lost:
// - A folder is never copied or moved into itself or into one of its own
//   subfolders; the request is refused with a message.
// - Every question (overwrite, delete for good) is asked before anything is
//   changed; answering No cancels the whole request.
// - Copying replaces an existing file only once the new copy is complete.
// - A move that cannot rename (another file system, or a folder merged into
//   an existing one) copies everything first and removes the sources only
//   after every copy succeeded. A cancel or an error before that point puts
//   back what was already moved and removes what was already copied, so
//   every source stays in place.
// - Recursive work never follows a symbolic link: the link itself is what
//   gets copied, moved or deleted.
// - Deleting, trashing and moving act on the entries that were named or
//   found, never on what their paths resolve to later: each is pinned by
//   its device and inode (with every folder on the way to it) before any
//   question, and is deleted or renamed through its folder's open handle
//   only while it is still that entry. An entry that changed, or that
//   cannot be deleted or moved (a name too long for the trash, a folder
//   without write access), is left as it is and the rest goes on; one box
//   at the end names what was left.
// Results: kFileOperationDone only when everything asked for was done;
// kFileOperationFailed also when the rest was done but something was left.
#pragma once

#include "platform/heldfolder.h"
#include "platform/treewalk.h"
#include "platform/userprompts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

inline constexpr int kFileOperationDone = 0;
// The user said No to a question or cancelled the progress.
inline constexpr int kFileOperationCancelled = 1223;
// The request was refused or an operation failed; a message said why.
inline constexpr int kFileOperationFailed = 1;

// Progress of a long operation. Step is called before each file or folder
// is handled; returning false cancels.
class OperationProgress {
public:
    virtual ~OperationProgress() = default;
    // totalBytes: the size of all regular files the operation will handle.
    virtual void Begin(const std::string& title, uint64_t totalBytes) = 0;
    [[nodiscard]] virtual bool Step(const std::string& currentName, uint64_t doneBytes) = 0;
    virtual void End() = 0;
};

// Hooks for tests: some make system calls fail, one lets a test change the
// tree at a chosen moment. Empty members do nothing.
struct FileSystemCalls {
    // Consulted before each rename (a move, a trashing) with full paths: an
    // errno value fails that rename with it, 0 lets it go ahead.
    std::function<int(const std::string& from, const std::string& to)> rename;
    // Consulted before each regular file is copied: an errno value fails the copy.
    std::function<int(const std::string& source, const std::string& target)> beforeCopy;
    // Called with the full path of each entry once it has been found and
    // pinned, before it is deleted, trashed, moved or entered.
    std::function<void(const std::string& path)> entryFound;
};

struct FileOperationContext {
    UserPrompts* prompts = nullptr;        // never null in use
    OperationProgress* progress = nullptr; // may be null: no progress shown
    // The freedesktop.org home trash ("" : $XDG_DATA_HOME/Trash, default
    // ~/.local/share/Trash). Tests point it into a temporary folder.
    std::string homeTrash;
    FileSystemCalls calls;
    // Where the system's shell runs the operations itself (Windows): the
    // window that owns its boxes (a window handle; 0 for none), and whether
    // it may show boxes at all. Without them it asks nothing (every answer
    // is Yes), shows no progress and reports errors only by the result;
    // tests and windowless callers run so.
    uintptr_t shellWindow = 0;
    bool shellBoxes = true;
    // Folders the caller holds open because the user chose from what they
    // showed (the file page's listed folder, the folder its clipboard's
    // entries came from). Every operation refuses, with a box that names
    // the folder, when one of them is no longer the folder its path names:
    // before it does anything, and again after each Yes to its questions.
    // Where the system allows (POSIX), an entry of a held folder (a path
    // whose folder is its path) is found and acted on through its handle,
    // and a move into a held folder enters it through its handle, never
    // through the path again. Held folders must stay open during the call.
    std::vector<const HeldFolder*> heldFolders;
};

// The text of the box that refuses a command because the folder at path
// (native) is no longer the folder that was shown there.
[[nodiscard]] std::string FolderChangedText(const std::string& path);

// When a folder of context.heldFolders is no longer the folder its path
// names, says so in a box naming it and returns true; else false.
[[nodiscard]] bool RefuseChangedFolder(const FileOperationContext& context);

// Deletes paths: to the trash when toTrash, else for good after a Yes to a
// question that names what will go.
[[nodiscard]] int DeletePaths(const FileOperationContext& context,
                              const std::vector<std::string>& paths, bool toTrash);

// Deletes the files a walk found (WalkTree), each only while it is still
// the file found, reached from found's start folder through the folders
// found on the way to it, never by its path: to the trash when toTrash,
// else for good after a Yes to a question that names them. Does nothing
// and returns kFileOperationDone when nothing was found.
// On Windows the folders on the way stay open without delete sharing to
// the end, so none of them can be renamed or replaced meanwhile, and each
// file is deleted through its own handle. The Recycle Bin is the shell's:
// the files still found go to it by their paths in one operation, with
// its own question, progress and errors; a file put in place of a found
// one in the same folder after the check would go instead.
[[nodiscard]] int DeleteFound(const FileOperationContext& context, const FoundEntries& found,
                              bool toTrash);

// Copies paths into the folder destination. A name already taken there is
// replaced after a Yes to a question (folders are merged, their files
// replaced), or, with renameOnCollision, the copy gets the first free name
// of "name (2).ext", "name (3).ext", .... A copy into the folder a path is
// already in always gets a new name.
[[nodiscard]] int CopyPaths(const FileOperationContext& context,
                            const std::vector<std::string>& paths, const std::string& destination,
                            bool renameOnCollision);

// Moves paths into the folder destination; a name already taken there is
// replaced after a Yes to a question (folders are merged).
[[nodiscard]] int MovePaths(const FileOperationContext& context,
                            const std::vector<std::string>& paths, const std::string& destination);

// Renames (or moves within its file system) path to the full path newPath,
// which must not exist yet.
[[nodiscard]] int RenamePath(const FileOperationContext& context, const std::string& path,
                             const std::string& newPath);

// The n-th collision name of name (n >= 2): ("report.txt", 2) -> "report (2).txt";
// ("notes", 3) -> "notes (3)"; (".profile", 2) -> ".profile (2)";
// ("a.tar.gz", 2) -> "a.tar (2).gz".
[[nodiscard]] std::string CollisionName(const std::string& name, int n);

} // namespace platform
