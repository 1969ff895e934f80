#include "platform/treewalk.h"

#include "platform/posix/folderstack.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

namespace platform {
namespace {

// One folder on the way down: the names still to look at.
struct Pending {
    size_t folder = 0; // index in FoundEntries::folders
    std::vector<std::string> names;
    std::vector<ListedEntry> listed; // for each name
    // Whether the listing's inode numbers are those stat gives in this
    // folder: unknown until the first kept file has been looked at.
    std::optional<bool> listingTrusted;
    size_t next = 0;
};

bool IsLinkToFolder(int folder, const std::string& name) {
    struct stat target;
    return fstatat(folder, name.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
}

class Walk {
public:
    Walk(const WalkVisitor& visitor, FoundEntries& found) : visitor_(visitor), found_(found) {}

    bool Run(const std::string& start) {
        found_ = {};
        if (stack_.OpenStart(start) != 0) {
            found_.unreadableFolders.push_back(start);
            return false;
        }
        found_.folders.push_back({kNoFolder, start, stack_.TopIdentity()});
        if (!Open(0)) return true;
        while (!pending_.empty()) {
            Pending& at = pending_.back();
            if (at.next == at.names.size()) {
                Up();
                continue;
            }
            const size_t index = at.next++;
            // Taken out: Look may add a pending folder, which moves this one.
            const std::string name = std::move(at.names[index]);
            Look(at, name, at.listed[index]);
        }
        return true;
    }

private:
    // Reads the top folder into a new pending entry; false (the folder
    // named as unreadable) when it cannot be read.
    bool Open(size_t folder) {
        Pending pending{folder, {}, {}, {}, 0};
        if (!ReadFolderNames(stack_.Top(), pending.names, &pending.listed)) {
            found_.unreadableFolders.push_back(stack_.Path());
            return false;
        }
        pending_.push_back(std::move(pending));
        return true;
    }

    void Up() {
        pending_.pop_back();
        if (pending_.empty()) return;
        if (stack_.Leave() == 0) return;
        // The folder above was moved or replaced meanwhile: what is left of
        // it, and of every folder above that cannot be reached again, is
        // not searched.
        while (!pending_.empty() && stack_.Top() < 0) {
            found_.unreadableFolders.push_back(found_.FolderPath(pending_.back().folder));
            pending_.pop_back();
            stack_.Leave();
        }
    }

    bool Keeps(const std::string& name) const {
        return visitor_.keepFile && visitor_.keepFile(name);
    }

    // The identity of a file the listing showed as a plain file, taken from
    // the listing when the folder's listing has proved to agree with stat;
    // false when the entry is gone.
    bool IdentityOfListedFile(Pending& at, const std::string& name, ListedEntry listed,
                              EntryIdentity& id) {
        const EntryIdentity fromListing{stack_.TopIdentity().device, listed.inode, S_IFREG};
        if (at.listingTrusted.value_or(false)) {
            id = fromListing;
            return true;
        }
        if (IdentityAt(stack_.Top(), name, id) != 0) return false;
        if (!at.listingTrusted) at.listingTrusted = id == fromListing;
        return true;
    }

    // at is the top pending folder; neither it nor listed may be used once
    // a subfolder has been opened (that moves the pending folders).
    void Look(Pending& at, const std::string& name, ListedEntry listed) {
        const size_t folder = at.folder;
        // Most entries of a large tree are files the visitor does not want;
        // a name listed as a plain file is judged by its name before its
        // inode is looked at. Whatever is kept or entered is pinned first:
        // a kept file by the listing's word once a stat in the same folder
        // has agreed with it (a stat per file would double the search),
        // else by a stat of its own. A file swapped after the listing fails
        // the check of its identity before it would be deleted.
        const bool listedAsFile = listed.type == DT_REG;
        if (listedAsFile && !Keeps(name)) {
            if (visitor_.entryFound) visitor_.entryFound(stack_.PathOf(name));
            return;
        }
        EntryIdentity id;
        if (listedAsFile ? !IdentityOfListedFile(at, name, listed, id)
                         : IdentityAt(stack_.Top(), name, id) != 0)
            return; // gone since listed
        const bool isFolder = id.type == S_IFDIR;
        const bool isFolderLink = id.type == S_IFLNK && IsLinkToFolder(stack_.Top(), name);
        if (visitor_.entryFound) visitor_.entryFound(stack_.PathOf(name));
        if (isFolderLink) return;
        if (!isFolder) {
            if (listedAsFile || Keeps(name)) found_.files.push_back({folder, name, id});
            return;
        }
        if (!visitor_.enterFolder || !visitor_.enterFolder(name)) return;
        if (stack_.Enter(name, id) != 0) {
            // Replaced (by a link, say) since it was found: never followed.
            found_.unreadableFolders.push_back(stack_.PathOf(name));
            return;
        }
        found_.folders.push_back({folder, name, id});
        if (!Open(found_.folders.size() - 1)) {
            found_.folders.pop_back();
            stack_.Leave();
        }
    }

    const WalkVisitor& visitor_;
    FoundEntries& found_;
    FolderStack stack_;
    std::vector<Pending> pending_;
};

} // namespace

bool WalkTree(const std::string& start, const WalkVisitor& visitor, FoundEntries& found) {
    return Walk(visitor, found).Run(start);
}

} // namespace platform
