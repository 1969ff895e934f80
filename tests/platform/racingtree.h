// Trees for tests that change a folder while an operation works on it: a
// start folder whose folder dir/sub is swapped for a symbolic link to a
// decoy outside it that holds the same names, so that an operation that
// followed the link would delete the decoy's files.
#pragma once

#include "tests/common/tempfolder.h"
#include "tests/common/treesnapshot.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

class RacingTree {
public:
    RacingTree() {
        for (const char* name :
             {"start/a.txt", "start/dir/b.txt", "start/dir/sub/c.txt", "start/dir/sub/deeper/d.txt",
              "decoy/c.txt", "decoy/deeper/d.txt", "decoy/keep.txt"}) {
            std::filesystem::create_directories(
                std::filesystem::path(disk_.File(name)).parent_path());
            disk_.Write(name, std::string("bytes of ") + name);
        }
        std::filesystem::create_directories(disk_.File("attic"));
        decoyBefore_ = Snapshot(Decoy());
    }

    [[nodiscard]] std::string Start() const { return disk_.File("start"); }
    [[nodiscard]] std::string Decoy() const { return disk_.File("decoy"); }
    [[nodiscard]] std::string File(const std::string& name) const { return disk_.File(name); }
    [[nodiscard]] std::string Sub() const { return disk_.File("start/dir/sub"); }

    // Moves dir/sub out of the start folder and puts a link to target in
    // its place, as another process might. Only the first call swaps.
    void SwapSub(const std::string& target) {
        if (swapped_) return;
        swapped_ = true;
        ASSERT_EQ(rename(Sub().c_str(), File("attic/sub").c_str()), 0);
        ASSERT_EQ(symlink(target.c_str(), Sub().c_str()), 0);
    }
    [[nodiscard]] bool Swapped() const { return swapped_; }

    // Every entry under folder (treesnapshot.h).
    static std::map<std::string, std::string> Snapshot(const std::string& folder) {
        return TreeSnapshot(folder);
    }

    // True when the decoy holds exactly what it held at the start.
    [[nodiscard]] bool DecoyUntouched() const { return Snapshot(Decoy()) == decoyBefore_; }

private:
    TempFolder disk_;
    std::map<std::string, std::string> decoyBefore_;
    bool swapped_ = false;
};
