#include "platform/fileops/posix/treeremoval.h"

#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

constexpr const char* kCannotDelete = " を削除できません";

// A folder being emptied: its names still to delete.
struct Emptying {
    std::vector<std::string> names;
    size_t next = 0;
    bool keepsSomething = false; // an entry was left, so the folder stays
};

class Removal {
public:
    Removal(Run& run, FolderStack& stack, const RemovalFilter& mayRemove)
        : run_(run), stack_(stack), mayRemove_(mayRemove), base_(stack.Depth()) {}

    int Remove(const std::string& name, const EntryIdentity& id) {
        const std::string path = stack_.PathOf(name);
        if (!run_.Step(path)) return kFileOperationCancelled;
        if (!Handle(name, id, path)) return kFileOperationDone;
        while (!open_.empty()) {
            Emptying& folder = open_.back();
            if (folder.next == folder.names.size()) {
                if (!Close()) break;
                continue;
            }
            const std::string child = folder.names[folder.next++];
            const std::string childPath = stack_.PathOf(child);
            if (!run_.Step(childPath)) {
                stack_.LeaveTo(base_);
                return kFileOperationCancelled;
            }
            EntryIdentity childId;
            if (const int error = IdentityAt(stack_.Top(), child, childId); error != 0) {
                // Gone already: nothing is left to delete.
                if (error != ENOENT) Leave(kCannotDelete, childPath, error);
                if (error != ENOENT) open_.back().keepsSomething = true;
                continue;
            }
            if (!Handle(child, childId, childPath)) open_.back().keepsSomething = true;
        }
        return kFileOperationDone;
    }

private:
    // Deletes a non-folder at once, or enters a folder to empty it. False
    // when the entry is left.
    bool Handle(const std::string& name, const EntryIdentity& id, const std::string& path) {
        if (mayRemove_ && !mayRemove_(id)) {
            Leave(kCannotDelete, path, kEntryChanged);
            return false;
        }
        run_.Found(path);
        if (id.type != S_IFDIR) {
            int error = CheckSameEntry(stack_.Top(), name, id);
            if (error == 0 && unlinkat(stack_.Top(), name.c_str(), 0) != 0) error = errno;
            if (error == ENOENT) return true;
            if (error != 0) Leave(kCannotDelete, path, error);
            return error == 0;
        }
        if (const int error = stack_.Enter(name, id); error != 0) {
            // ELOOP/ENOTDIR: a link now stands where the folder was.
            Leave(kCannotDelete, path, error == ELOOP || error == ENOTDIR ? kEntryChanged : error);
            return false;
        }
        Emptying folder;
        if (!ReadFolderNames(stack_.Top(), folder.names)) {
            Leave(kCannotDelete, path, errno);
            stack_.LeaveTo(stack_.Depth() - 1);
            return false;
        }
        open_.push_back(std::move(folder));
        return true;
    }

    // The top folder is empty (or keeps something): go up and remove it.
    // False when the folders above could not be reached again.
    bool Close() {
        const bool keeps = open_.back().keepsSomething;
        open_.pop_back();
        const std::string name = stack_.TopName();
        const EntryIdentity id = stack_.TopIdentity();
        const std::string path = stack_.Path();
        if (stack_.Leave() != 0) {
            // The folders above were moved or replaced meanwhile: stop here.
            Leave(kCannotDelete, stack_.Path(), kEntryChanged);
            stack_.LeaveTo(base_);
            open_.clear();
            return false;
        }
        bool removed = false;
        if (!keeps) {
            int error = CheckSameEntry(stack_.Top(), name, id);
            if (error == 0 && unlinkat(stack_.Top(), name.c_str(), AT_REMOVEDIR) != 0)
                error = errno;
            if (error != 0) Leave(kCannotDelete, path, error);
            removed = error == 0;
        }
        if (!removed && !open_.empty()) open_.back().keepsSomething = true;
        return true;
    }

    void Leave(const char* what, const std::string& path, int error) {
        run_.Skip(what, path, error);
    }

    Run& run_;
    FolderStack& stack_;
    const RemovalFilter& mayRemove_;
    const size_t base_;
    std::vector<Emptying> open_;
};

} // namespace

int RemoveEntry(Run& run, FolderStack& stack, const std::string& name, const EntryIdentity& id,
                const RemovalFilter& mayRemove) {
    return Removal(run, stack, mayRemove).Remove(name, id);
}

} // namespace platform
