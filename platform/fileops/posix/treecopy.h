// Copying files, links and folders with everything in them, for copy and
// for a move between volumes. Every entry it creates is recorded, so a
// failed or cancelled run can remove what it made; every source entry it
// copied is recorded by identity, so a move removes exactly what was
// copied and nothing that took a copied entry's place meanwhile.
#pragma once

#include "platform/fileops/operationrun.h"
#include "platform/treewalk.h"

#include <fcntl.h>

#include <set>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace platform {

class TreeCopy {
public:
    explicit TreeCopy(Run& run) : run_(run) {}
    // Copies whose targets lie in the open folder destination (its path
    // destinationPath): every target is made, replaced or removed relative
    // to that descriptor, never through destinationPath, which may lead
    // elsewhere by then. The descriptor must stay open while this copies.
    TreeCopy(Run& run, int destination, std::string destinationPath)
        : run_(run), destination_(destination), destinationPath_(std::move(destinationPath)) {}

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
    // target as the system calls take it beside destination_: relative to
    // the destination folder when one is open, else the path itself.
    [[nodiscard]] std::string AtDestination(const std::string& target) const;
    // A free name beside target for a new entry made by make (which gets
    // that name and returns 0 or errno; EEXIST tries the next name).
    // Returns 0 or errno.
    template <typename Make>
    int MakeBeside(const std::string& target, const char* prefix, std::string& made, Make make);

    Run& run_;
    int destination_ = AT_FDCWD;
    std::string destinationPath_;
    std::vector<std::string> created_;
    std::set<std::pair<uint64_t, uint64_t>> copied_; // device, inode
};

} // namespace platform
