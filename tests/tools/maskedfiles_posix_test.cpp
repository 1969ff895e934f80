// The delete-by-mask search where only POSIX can build the tree: symbolic
// links, folders another user cannot read, names of any bytes.
#include "tests/common/tempfolder.h"
#include "tools/maskedfiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using tamble::CollectMaskedFiles;
using tamble::MaskedFileOptions;
using Paths = std::vector<std::string>;

constexpr uid_t kNobody = 65534;

class MaskedFilesPosix : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.c", "sub/c.c", "sub/deep/g.c", "obj/i.c"}) {
            fs::create_directories(fs::path(tree_.File(name)).parent_path());
            tree_.Write(name, "x");
        }
        outside_.Write("o.c", "x");
        fs::create_directory_symlink(tree_.File("sub"), tree_.File("link_in"));
        fs::create_directory_symlink(outside_.Path(), tree_.File("link_out"));
        fs::create_symlink(outside_.File("o.c"), tree_.File("filelink.c"));
    }

    // The found paths relative to the tree, sorted.
    Paths Collect(const std::string& masks, bool sub) const {
        MaskedFileOptions options;
        options.findSubFolders = sub;
        Paths found;
        CollectMaskedFiles(tree_.Path(), masks, options, found);
        Paths relative;
        for (const std::string& path : found) {
            EXPECT_EQ(path.rfind(tree_.Path() + "/", 0), 0u) << path << " left the tree";
            relative.push_back(path.substr(tree_.Path().size() + 1));
        }
        std::sort(relative.begin(), relative.end());
        return relative;
    }

    // Runs check as another user where the test runs as root (root reads
    // every folder); true when it held.
    static bool AsAnotherUser(const std::function<bool()>& check) {
        if (geteuid() != 0) return check();
        const pid_t child = fork();
        if (child == -1) return false;
        if (child == 0) {
            const bool asOther = setgid(kNobody) == 0 && setuid(kNobody) == 0;
            _exit(asOther && check() ? 0 : 1);
        }
        int status = 0;
        return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    TempFolder tree_;
    TempFolder outside_;
};

TEST_F(MaskedFilesPosix, ALinkToAFileIsAFileALinkToAFolderIsNeverEntered) {
    EXPECT_EQ(Collect("*", false), (Paths{"a.c", "filelink.c"}));
    EXPECT_EQ(Collect("*.c", true),
              (Paths{"a.c", "filelink.c", "obj/i.c", "sub/c.c", "sub/deep/g.c"}));
}

TEST_F(MaskedFilesPosix, UnreadableFoldersContributeNothingAndAreNamed) {
    ASSERT_EQ(chmod(tree_.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(tree_.File("sub").c_str(), 0), 0);
    EXPECT_TRUE(AsAnotherUser([this] {
        tamble::MaskedFiles result;
        MaskedFileOptions options;
        options.findSubFolders = true;
        CollectMaskedFiles(tree_.Path(), "*.c", options, result);
        Paths relative;
        for (const std::string& path : FoundPaths(result))
            relative.push_back(path.substr(tree_.Path().size() + 1));
        std::sort(relative.begin(), relative.end());
        return relative == Paths{"a.c", "filelink.c", "obj/i.c"} &&
               result.unreadableFolders == Paths{tree_.File("sub")};
    }));
}

TEST_F(MaskedFilesPosix, AFolderSwappedForALinkWhileSearchedIsNotEntered) {
    tamble::MaskedFiles result;
    MaskedFileOptions options;
    options.findSubFolders = true;
    options.entryFound = [this](const std::string& path) {
        if (path != tree_.File("sub")) return;
        fs::rename(tree_.File("sub"), outside_.File("sub"));
        fs::create_directory_symlink(outside_.Path(), tree_.File("sub"));
    };
    CollectMaskedFiles(tree_.Path(), "*.c", options, result);
    EXPECT_EQ(result.unreadableFolders, Paths{tree_.File("sub")});
    for (const std::string& path : FoundPaths(result))
        EXPECT_EQ(path.find("/sub/"), std::string::npos) << path;
    EXPECT_EQ(FoundPaths(result).size(), result.found.files.size());
}

TEST(MaskedFilesNames, AnyBytesNameIsAFileOfItsFolderNeverTheFolder) {
    TempFolder folder;
    folder.Write("\xff\xfe", "x"); // no text in any code page
    folder.Write("-e x", "x");
    tamble::MaskedFiles result;
    MaskedFileOptions options;
    CollectMaskedFiles(folder.Path(), "*", options, result);
    ASSERT_EQ(result.found.files.size(), 2u);
    for (const auto& file : result.found.files) {
        EXPECT_EQ(file.folder, 0u);
        EXPECT_NE(result.found.PathOf(file), folder.Path());
    }
}

} // namespace
