// File operations on POSIX file systems. Deleting, trashing and moving
// pin every named entry first (its folder and its device and inode) and
// later act on it through open folder handles only while it is still that
// entry, so a tree changed under them never sends them elsewhere.
#include "platform/fileops/fileoperations.h"

#include "platform/codepage.h"
#include "platform/fileops/operationrun.h"
#include "platform/fileops/posix/trash.h"
#include "platform/fileops/posix/treecopy.h"
#include "platform/fileops/posix/treeremoval.h"
#include "platform/paths.h"
#include "platform/posix/folderstack.h"
#include "platform/posix/linkstatus.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>

namespace platform {
namespace {

constexpr const char* kCannotDelete = " を削除できません";
constexpr const char* kCannotTrash = " をごみ箱に移動できません";
constexpr const char* kCannotMove = " を移動できません";

// Canonical form of an existing path; "" when it cannot be resolved.
std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

// Whether path is folder or lies inside it (both canonical).
bool IsSameOrInside(const std::string& path, const std::string& folder) {
    if (path == folder) return true;
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return path.compare(0, prefix.size(), prefix) == 0;
}

// The absolute form of path without resolving its last component, which
// may be a symbolic link that must stay as it is.
std::string AbsoluteKeepingLink(const std::string& path) {
    const std::string parent = RealPath(DirName(path).empty() ? "." : DirName(path));
    return parent.empty() ? path : Child(parent, BaseName(path));
}

// path made absolute by the current folder, resolving nothing.
std::string Absolute(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    std::unique_ptr<char, decltype(&std::free)> here(getcwd(nullptr, 0), &std::free);
    return here ? Child(here.get(), path) : path;
}

// Bytes of the regular files under path (links not followed), the length
// of a progress bar; folders that cannot be read count nothing.
uint64_t TreeBytes(const std::string& path) {
    uint64_t total = 0;
    std::vector<std::string> pending{path};
    while (!pending.empty()) {
        const std::string at = std::move(pending.back());
        pending.pop_back();
        const auto status = LinkStatus(at);
        if (!status) continue;
        if (S_ISREG(status->st_mode)) total += static_cast<uint64_t>(status->st_size);
        if (!S_ISDIR(status->st_mode)) continue;
        DIR* dir = opendir(at.c_str());
        if (dir == nullptr) continue;
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                pending.push_back(Child(at, entry->d_name));
        }
        closedir(dir);
    }
    return total;
}

// Rename that never replaces an existing to (EEXIST instead), where the
// file system can promise it. The rename hook may refuse it first.
int RenameNoReplace(const Run& run, const std::string& from, const std::string& to) {
    if (const int error = run.RenameHook(from, to); error != 0) return error;
    return RenameNoReplaceAt(AT_FDCWD, from, AT_FDCWD, to);
}

// The folder of context's held folders whose path is folder; null when none.
const HeldFolder* HeldFolderAt(const FileOperationContext& context, const std::string& folder) {
    for (const HeldFolder* held : context.heldFolders) {
        if (held->IsOpen() && held->Path() == folder) return held;
    }
    return nullptr;
}

// Pins path: through the handle of its folder when the caller holds that
// folder, so that a path leading elsewhere by now cannot pin another entry.
int Anchor(const FileOperationContext& context, const std::string& path, EntryAnchor& anchor) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (const HeldFolder* held = HeldFolderAt(context, DirName(trimmed))) {
        const int error = AnchorInHeld(static_cast<int>(held->Native()), held->Path(),
                                       held->Identity(), BaseName(trimmed), anchor);
        anchor.path = path;
        return error;
    }
    return AnchorPath(path, anchor);
}

// Opens destination as stack's start: through its handle when the caller
// holds it.
int OpenDestination(const FileOperationContext& context, const std::string& destination,
                    FolderStack& stack) {
    if (const HeldFolder* held = HeldFolderAt(context, destination))
        return stack.OpenHeld(static_cast<int>(held->Native()), destination, held->Identity());
    return stack.OpenStart(destination);
}

// A source and where it goes.
struct Planned {
    EntryAnchor source;
    std::string target;
    bool targetExists = false;
};

// Checks shared by copy and move; fills plan, pinning every source before
// any question is asked. Returns kFileOperationDone to go on, else the
// result to give (the message or question was shown).
int PlanTransfer(Run& run, const std::vector<std::string>& paths, const std::string& destination,
                 bool renameOnCollision, bool isMove, std::vector<Planned>& plan) {
    struct stat destinationStatus;
    if (::stat(destination.c_str(), &destinationStatus) != 0 || !S_ISDIR(destinationStatus.st_mode))
        return run.Fail(Quoted(destination) + Cp932(" はフォルダではありません。"));
    const std::string realDestination = RealPath(destination);
    plan.clear();
    std::set<std::string> targets;
    const auto taken = [&targets](const std::string& path) {
        return targets.count(path) != 0 || LinkStatus(path).has_value();
    };
    for (const std::string& source : paths) {
        Planned entry;
        if (Anchor(run.Context(), source, entry.source) != 0)
            return run.Fail(Quoted(source) + Cp932(" が見つかりません。"));
        const bool isFolder = entry.source.id.type == S_IFDIR;
        if (isFolder && IsSameOrInside(realDestination, RealPath(source))) {
            return run.Fail(Cp932("フォルダ ") + Quoted(source) +
                            Cp932(" をそれ自身の中やそのサブフォルダの中へコピーまたは移動する"
                                  "ことはできません。"));
        }
        const bool sameFolder = RealPath(DirName(AbsoluteKeepingLink(source))) == realDestination;
        if (isMove && sameFolder)
            return run.Fail(Quoted(source) + Cp932(" はすでに移動先のフォルダにあります。"));
        entry.target = Child(destination, BaseName(source));
        const auto existing = LinkStatus(entry.target);
        if (taken(entry.target) && (renameOnCollision || sameFolder)) {
            for (int n = 2; taken(entry.target); ++n)
                entry.target = Child(destination, CollisionName(BaseName(source), n));
        } else if (targets.count(entry.target) != 0) {
            return run.Fail(Quoted(BaseName(source)) +
                            Cp932(" という名前の項目が複数あるため、一度には処理できません。"));
        } else if (existing) {
            if (S_ISDIR(existing->st_mode) != isFolder)
                return run.Fail(Quoted(entry.target) +
                                Cp932(" は種類の違う項目なので置き換えられません。"));
            const char* question =
                S_ISDIR(existing->st_mode)
                    ? " はすでにあります。中の同じ名前のファイルを置き換えてまとめますか？"
                    : " はすでにあります。上書きしますか？";
            if (!run.Ask(Quoted(entry.target) + Cp932(question))) return kFileOperationCancelled;
            entry.targetExists = true;
        }
        targets.insert(entry.target);
        plan.push_back(entry);
    }
    return kFileOperationDone;
}

// Bytes the planned sources hold, the length of the progress bar.
uint64_t PlannedBytes(const std::vector<Planned>& plan) {
    uint64_t total = 0;
    for (const Planned& entry : plan)
        total += TreeBytes(entry.source.path);
    return total;
}

// Sends the pinned entry to the trash; a failure is recorded in the run.
void TrashAnchored(Run& run, const FileOperationContext& context, const EntryAnchor& anchor) {
    run.Found(anchor.path);
    FolderStack stack;
    int error = ReachAnchor(anchor, stack);
    if (error == 0)
        error = MoveToTrash(run, context, stack.Top(), anchor.name,
                            // A held folder is where its path led when it was opened.
                            anchor.heldFolder >= 0 ? Absolute(anchor.path)
                                                   : AbsoluteKeepingLink(anchor.path));
    if (error != 0) run.Skip(kCannotTrash, anchor.path, error);
}

// Makes the stack hold the chain of found folders down to folder, reusing
// what it holds already (chain: the found folders the stack holds).
// Returns 0 or errno (kEntryChanged for a folder replaced since found).
int ReachFolder(const FoundEntries& found, size_t folder, FolderStack& stack,
                std::vector<size_t>& chain) {
    if (chain.back() == folder && stack.Top() >= 0) return 0;
    std::vector<size_t> wanted;
    for (size_t at = folder; at != kNoFolder; at = found.folders[at].parent)
        wanted.push_back(at);
    std::reverse(wanted.begin(), wanted.end());
    size_t common = 1; // both start at the start folder
    while (common < chain.size() && common < wanted.size() && chain[common] == wanted[common])
        ++common;
    if (stack.LeaveTo(common) != 0) {
        stack.LeaveTo(1);
        common = 1;
    }
    chain.resize(common);
    for (size_t k = common; k < wanted.size(); ++k) {
        const FoundFolder& next = found.folders[wanted[k]];
        if (const int error = stack.Enter(next.name, next.id); error != 0)
            return error == ELOOP || error == ENOTDIR || error == ENOENT ? kEntryChanged : error;
        chain.push_back(wanted[k]);
    }
    return 0;
}

// Renames path to newPath, both entries of the held folder, through its
// handle: the entry pinned is the one renamed, never one of the same name
// wherever the path leads by now.
int RenameInHeld(Run& run, const HeldFolder& held, const std::string& path,
                 const std::string& newPath) {
    EntryAnchor anchor;
    if (Anchor(run.Context(), path, anchor) != 0)
        return run.Fail(Quoted(path) + Cp932(" が見つかりません。"));
    if (path == newPath) return kFileOperationDone;
    const int folder = static_cast<int>(held.Native());
    EntryIdentity taken;
    if (IdentityAt(folder, BaseName(newPath), taken) == 0)
        return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    int error = CheckSameEntry(folder, anchor.name, anchor.id);
    if (error == 0) error = run.RenameHook(path, newPath);
    if (error == 0) error = RenameNoReplaceAt(folder, anchor.name, folder, BaseName(newPath));
    if (error == EEXIST) return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    if (error != 0) return run.FailErrno(" の名前を変更できません", path, error);
    return kFileOperationDone;
}

} // namespace

std::string CollisionName(const std::string& name, int n) {
    const size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : std::string();
    return stem + " (" + std::to_string(n) + ")" + extension;
}

int DeletePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
                bool toTrash) {
    Run run(context);
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    std::vector<EntryAnchor> anchors(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (Anchor(context, paths[i], anchors[i]) != 0)
            return run.Fail(Quoted(paths[i]) + Cp932(" が見つかりません。"));
    }
    if (toTrash) {
        run.BeginProgress("ごみ箱へ移動しています", 0);
        for (const EntryAnchor& anchor : anchors) {
            if (!run.Step(anchor.path)) return run.Finish(kFileOperationCancelled);
            TrashAnchored(run, context, anchor);
        }
        return run.Finish(kFileOperationDone);
    }
    if (!run.Ask(DeleteQuestion(paths, paths.size()))) return kFileOperationCancelled;
    run.BeginProgress("削除しています", 0);
    for (const EntryAnchor& anchor : anchors) {
        FolderStack stack;
        if (const int error = ReachAnchor(anchor, stack); error != 0) {
            run.Skip(kCannotDelete, anchor.path, error);
            continue;
        }
        if (RemoveEntry(run, stack, anchor.name, anchor.id) == kFileOperationCancelled)
            return run.Finish(kFileOperationCancelled);
    }
    return run.Finish(kFileOperationDone);
}

int DeleteFound(const FileOperationContext& context, const FoundEntries& found, bool toTrash) {
    if (found.files.empty() || found.folders.empty()) return kFileOperationDone;
    Run run(context);
    // The question names the first few; a path for each of many thousands
    // of files would keep the user waiting for a question that shows ten.
    if (!toTrash) {
        std::vector<std::string> shown;
        for (size_t i = 0; i < found.files.size() && i < kPathsShownInBox; ++i)
            shown.push_back(found.PathOf(found.files[i]));
        if (!run.Ask(DeleteQuestion(shown, found.files.size()))) return kFileOperationCancelled;
    }
    run.BeginProgress(toTrash ? "ごみ箱へ移動しています" : "削除しています", 0);
    const FoundFolder& start = found.folders.front();
    FolderStack stack;
    if (const int error = stack.OpenStart(start.name, &start.id); error != 0)
        return run.FailErrno(" の中を削除できません", start.name, error);
    std::vector<size_t> chain{0};
    for (const FoundFile& file : found.files) {
        const std::string path = found.PathOf(file);
        if (!run.Step(path)) return run.Finish(kFileOperationCancelled);
        run.Found(path);
        int error = ReachFolder(found, file.folder, stack, chain);
        if (error == 0) error = CheckSameEntry(stack.Top(), file.name, file.id);
        if (error == 0 && toTrash)
            error = MoveToTrash(run, context, stack.Top(), file.name, Absolute(path));
        else if (error == 0 && unlinkat(stack.Top(), file.name.c_str(), 0) != 0)
            error = errno;
        if (error != 0) run.Skip(toTrash ? kCannotTrash : kCannotDelete, path, error);
    }
    return run.Finish(kFileOperationDone);
}

int CopyPaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination, bool renameOnCollision) {
    Run run(context);
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    std::vector<Planned> plan;
    if (const int result = PlanTransfer(run, paths, destination, renameOnCollision, false, plan);
        result != kFileOperationDone) {
        return result;
    }
    run.BeginProgress("コピーしています", PlannedBytes(plan));
    // A held destination is written through its handle.
    FolderStack target;
    const bool held = HeldFolderAt(context, destination) != nullptr;
    if (held) {
        if (const int error = OpenDestination(context, destination, target); error != 0)
            return run.FailErrno(" にコピーできません", destination, error);
    }
    TreeCopy copy = held ? TreeCopy(run, target.Top(), destination) : TreeCopy(run);
    for (const Planned& entry : plan) {
        if (const int result = copy.Copy(entry.source.path, entry.target);
            result != kFileOperationDone) {
            copy.Undo();
            return result;
        }
    }
    return kFileOperationDone;
}

int MovePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination) {
    Run run(context);
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    std::vector<Planned> plan;
    if (const int result = PlanTransfer(run, paths, destination, false, true, plan);
        result != kFileOperationDone) {
        return result;
    }
    run.BeginProgress("移動しています", PlannedBytes(plan));
    FolderStack target;
    if (const int error = OpenDestination(context, destination, target); error != 0)
        return run.FailErrno(kCannotMove, destination, error);

    // Renames first: cheap, and each can be put back.
    std::vector<std::pair<std::string, std::string>> renamed; // from, to
    const auto undoRenames = [&renamed] {
        for (auto it = renamed.rbegin(); it != renamed.rend(); ++it)
            (void)RenameNoReplaceAt(AT_FDCWD, it->second, AT_FDCWD, it->first);
    };
    std::vector<const Planned*> toCopy;
    for (const Planned& entry : plan) {
        if (entry.targetExists) {
            toCopy.push_back(&entry);
            continue;
        }
        const std::string& source = entry.source.path;
        if (!run.Step(source)) {
            undoRenames();
            return run.Finish(kFileOperationCancelled);
        }
        run.Found(source);
        FolderStack from;
        int error = ReachAnchor(entry.source, from);
        if (error != 0) {
            run.Skip(kCannotMove, source, error);
            continue;
        }
        error = run.RenameHook(source, entry.target);
        if (error == 0)
            error = RenameNoReplaceAt(from.Top(), entry.source.name, target.Top(),
                                      BaseName(entry.target));
        if (error == EXDEV) {
            toCopy.push_back(&entry);
        } else if (error != 0) {
            undoRenames();
            run.FailErrno(kCannotMove, source, error);
            return run.Finish(kFileOperationFailed);
        } else {
            renamed.emplace_back(source, entry.target);
        }
    }
    // Then copies; their sources go only once every copy is complete. A
    // held destination is written through its handle.
    TreeCopy copy = HeldFolderAt(context, destination) != nullptr
                        ? TreeCopy(run, target.Top(), destination)
                        : TreeCopy(run);
    for (const Planned* entry : toCopy) {
        if (const int result = copy.Copy(entry->source.path, entry->target);
            result != kFileOperationDone) {
            copy.Undo();
            undoRenames();
            return run.Finish(result);
        }
    }
    run.DisallowCancel();
    // Only what was copied goes: an entry that appeared or was replaced
    // since is left where it is.
    const RemovalFilter copied = [&copy](const EntryIdentity& id) { return copy.Copied(id); };
    for (const Planned* entry : toCopy) {
        FolderStack from;
        if (const int error = ReachAnchor(entry->source, from); error != 0) {
            run.Skip(kCannotDelete, entry->source.path, error);
            continue;
        }
        (void)RemoveEntry(run, from, entry->source.name, entry->source.id, copied);
    }
    return run.Finish(kFileOperationDone);
}

int RenamePath(const FileOperationContext& context, const std::string& path,
               const std::string& newPath) {
    Run run(context);
    if (RefuseChangedFolder(context)) return kFileOperationFailed;
    if (const HeldFolder* held = HeldFolderAt(context, DirName(path));
        held != nullptr && DirName(newPath) == held->Path()) {
        return RenameInHeld(run, *held, path, newPath);
    }
    if (!LinkStatus(path)) return run.Fail(Quoted(path) + Cp932(" が見つかりません。"));
    if (path == newPath) return kFileOperationDone;
    if (LinkStatus(newPath)) return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    if (const int error = RenameNoReplace(run, path, newPath); error == EEXIST) {
        return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    } else if (error != 0) {
        return run.FailErrno(" の名前を変更できません", path, error);
    }
    return kFileOperationDone;
}

} // namespace platform
