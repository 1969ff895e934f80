// The tree walk on Windows: every folder is listed through its own open
// handle and every entry below the start is opened relative to its
// folder's handle as itself, so a junction or symbolic link is an entry
// like a file and is never entered.
#include "platform/treewalk.h"

#include "platform/win32/relativeentries.h"
#include "platform/win32/widepath.h"

namespace platform {
namespace {

// One folder on the way down: its handle and the entries still to look at.
struct Pending {
    size_t folder = 0; // index in FoundEntries::folders
    FileHandle handle;
    std::vector<ListedEntry> entries;
    size_t next = 0;
};

class Walk {
public:
    Walk(const WalkVisitor& visitor, FoundEntries& found) : visitor_(visitor), found_(found) {}

    bool Run(const std::string& start) {
        found_ = {};
        DWORD error = 0;
        FileHandle handle = OpenStartFolder(start, kShareAll, nullptr, error);
        const std::optional<EntryIdentity> id =
            handle.Valid() ? IdentityOfHandle(handle) : std::nullopt;
        if (!id) {
            found_.unreadableFolders.push_back(start);
            return false;
        }
        found_.folders.push_back({kNoFolder, start, *id});
        Open(0, std::move(handle));
        while (!pending_.empty()) {
            Pending& at = pending_.back();
            if (at.next == at.entries.size()) {
                pending_.pop_back();
                continue;
            }
            const ListedEntry entry = at.entries[at.next++];
            Look(entry);
        }
        return true;
    }

private:
    // Lists the folder into a new pending entry; false (the folder named
    // as unreadable) when it cannot be read.
    bool Open(size_t folder, FileHandle handle) {
        Pending pending{folder, std::move(handle), {}, 0};
        DWORD error = 0;
        if (!ReadFolderEntries(pending.handle, pending.entries, error)) {
            found_.unreadableFolders.push_back(found_.FolderPath(folder));
            return false;
        }
        pending_.push_back(std::move(pending));
        return true;
    }

    // Whether the visitor wants the entry listed with kind: enter a real
    // folder, keep anything else but a link to a folder.
    bool Wanted(const std::string& name, uint32_t kind) const {
        if (IsFolderKind(kind)) return visitor_.enterFolder && visitor_.enterFolder(name);
        if ((kind & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
        return visitor_.keepFile && visitor_.keepFile(name);
    }

    void Look(const ListedEntry& entry) {
        const size_t folder = pending_.back().folder;
        const std::string name = WideToGeneralizedUtf8(entry.name);
        const std::string path = found_.PathOf({folder, name, {}});
        const uint32_t listedKind = KindOf(entry.attributes);
        if (!Wanted(name, listedKind)) {
            if (visitor_.entryFound) visitor_.entryFound(path);
            return;
        }
        DWORD error = 0;
        const std::optional<EntryIdentity> id = IdentityOfHandle(
            OpenRelative(pending_.back().handle, entry.name, OpenFor::Identity, kShareAll, error));
        if (!id) return; // gone since listed
        if (visitor_.entryFound) visitor_.entryFound(path);
        if (id->type != listedKind) return; // replaced since listed by another kind
        if (!IsFolderKind(id->type)) {
            found_.files.push_back({folder, name, *id});
            return;
        }
        FileHandle handle =
            OpenRelative(pending_.back().handle, entry.name, OpenFor::Listing, kShareAll, error);
        if (!handle.Valid() || IdentityOfHandle(handle) != id) {
            // Replaced (by a junction, say) since it was found: never followed.
            found_.unreadableFolders.push_back(path);
            return;
        }
        found_.folders.push_back({folder, name, *id});
        if (!Open(found_.folders.size() - 1, std::move(handle))) found_.folders.pop_back();
    }

    const WalkVisitor& visitor_;
    FoundEntries& found_;
    std::vector<Pending> pending_;
};

} // namespace

bool WalkTree(const std::string& start, const WalkVisitor& visitor, FoundEntries& found) {
    return Walk(visitor, found).Run(start);
}

} // namespace platform
