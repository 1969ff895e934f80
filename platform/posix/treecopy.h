// Copying files, links and folders with everything in them, for copy and
// for a move between volumes. Every entry it creates is recorded, so a
// failed or cancelled run can remove what it made; every source entry it
// copied is recorded by identity, so a move removes exactly what was
// copied and nothing that took a copied entry's place meanwhile.
#pragma once

#include "operationrun.h"
#include "treewalk.h"

#include <set>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace platform {

class TreeCopy {
public:
    explicit TreeCopy(Run& run) : run_(run) {}

    // Copies source to target (merging into an existing folder, replacing
    // an existing file of the same kind). Returns kFileOperationDone,
    // Cancelled or Failed (after its message).
    int Copy(const std::string& source, const std::string& target);
    // Removes what this copy created, newest first.
    void Undo();
    // Whether the source entry id was copied completely.
    [[nodiscard]] bool Copied(const EntryIdentity& id) const {
        return copied_.count({id.device, id.inode}) != 0;
    }

private:
    int CopyFolder(const std::string& source, const std::string& target, const struct stat& status,
                   bool merge);
    int CopyLink(const std::string& source, const std::string& target, const struct stat& status,
                 bool replace);
    int CopyFile(const std::string& source, const std::string& target, const struct stat& status,
                 bool replace);
    int CopyBytes(int in, int out);
    void Record(const struct stat& status) { copied_.insert({status.st_dev, status.st_ino}); }

    Run& run_;
    std::vector<std::string> created_;
    std::set<std::pair<uint64_t, uint64_t>> copied_; // device, inode
};

} // namespace platform
