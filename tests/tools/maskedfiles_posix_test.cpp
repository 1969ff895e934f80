#include "maskedfiles.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using tamble::CollectMaskedFiles;
using tamble::MaskedFileOptions;
using Paths = std::vector<std::string>;

constexpr uid_t kNobody = 65534;

class MaskedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"a.c", "b.h", "MAIN.H", "x.h.h", "Makefile", "data", "data1", "data_old", "dat",
              "bin", "keep.bak", "sub/c.c", "sub/d.txt", "sub/bin/e.c", "sub/obj/f.c",
              "sub/deep/g.c", "sub/deep/obj/j.c", "bin.d/h.c", "obj/i.c"}) {
            fs::create_directories(fs::path(tree_.File(name)).parent_path());
            tree_.Write(name, "x");
        }
        fs::create_directory(tree_.File("BIN"));
        tree_.Write("BIN/k.c", "x");
        outside_.Write("o.c", "x");
        fs::create_directory_symlink(tree_.File("sub"), tree_.File("link_in"));
        fs::create_directory_symlink(outside_.Path(), tree_.File("link_out"));
        fs::create_symlink(outside_.File("o.c"), tree_.File("filelink.c"));
    }

    // The found paths relative to the tree, sorted (the system's order is
    // not fixed).
    Paths Collect(const std::string& masks, const MaskedFileOptions& options) const {
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

    TempFolder tree_;
    TempFolder outside_;
};

MaskedFileOptions Options(bool sub, const char* files = nullptr, const char* folders = nullptr) {
    MaskedFileOptions options;
    options.findSubFolders = sub;
    options.outOfFilePattern = files != nullptr;
    options.filePattern = files != nullptr ? files : "";
    options.outOfFolderPattern = folders != nullptr;
    options.folderPattern = folders != nullptr ? folders : "";
    return options;
}

TEST_F(MaskedFiles, MasksAndExclusions) {
    struct Case {
        const char* name;
        const char* masks;
        MaskedFileOptions options;
        Paths expected;
    };
    const Case cases[] = {
        {"top folder only, case-blind", "*.H", Options(false), {"MAIN.H", "b.h", "x.h.h"}},
        {"a star tries every place for the text after it",
         "*.h",
         Options(false),
         {"MAIN.H", "b.h", "x.h.h"}},
        {"*.* spares names without a dot",
         "*.*",
         Options(false),
         {"MAIN.H", "a.c", "b.h", "filelink.c", "keep.bak", "x.h.h"}},
        {"* takes every file, never a folder or a link to one",
         "*",
         Options(false),
         {"MAIN.H", "Makefile", "a.c", "b.h", "bin", "dat", "data", "data1", "data_old",
          "filelink.c", "keep.bak", "x.h.h"}},
        {"trailing ? takes the rest, also nothing",
         "data?",
         Options(false),
         {"data", "data1", "data_old"}},
        {"mask list", "*.c;*.bak", Options(false), {"a.c", "filelink.c", "keep.bak"}},
        {"empty part matches no file", ";", Options(false), {}},
        {"subfolders, links to folders not entered",
         "*.c",
         Options(true),
         {"BIN/k.c", "a.c", "bin.d/h.c", "filelink.c", "obj/i.c", "sub/bin/e.c", "sub/c.c",
          "sub/deep/g.c", "sub/deep/obj/j.c", "sub/obj/f.c"}},
        {"excluded folders at any depth, case-blind; a file named bin still goes",
         "*.c;bin",
         Options(true, nullptr, "bin;obj"),
         {"a.c", "bin", "bin.d/h.c", "filelink.c", "sub/c.c", "sub/deep/g.c"}},
        {"excluded files at any depth",
         "*.c",
         Options(true, "e*;f*;a?c", nullptr),
         {"BIN/k.c", "bin.d/h.c", "obj/i.c", "sub/c.c", "sub/deep/g.c", "sub/deep/obj/j.c"}},
        {"file exclusion applies without subfolders",
         "*.c",
         Options(false, "a*", nullptr),
         {"filelink.c"}},
        {"folder exclusion does not spare files of that name",
         "bin",
         Options(false, nullptr, "bin"),
         {"bin"}},
        {"exclusion with empty pattern spares nothing",
         "*.h",
         Options(false, "", ""),
         {"MAIN.H", "b.h", "x.h.h"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Collect(c.masks, c.options), c.expected) << c.name;
}

TEST_F(MaskedFiles, SubtreeFilesComeWhereTheirFolderIsListed) {
    Paths found;
    CollectMaskedFiles(tree_.Path(), "*", Options(true), found);
    // Every folder's files (its whole subtree) form one unbroken run.
    for (const char* folder : {"/sub/", "/sub/deep/", "/sub/deep/obj/", "/bin.d/", "/obj/"}) {
        const std::string prefix = tree_.Path() + folder;
        std::vector<size_t> at;
        for (size_t i = 0; i < found.size(); ++i)
            if (found[i].rfind(prefix, 0) == 0) at.push_back(i);
        ASSERT_FALSE(at.empty()) << folder;
        EXPECT_EQ(at.back() - at.front() + 1, at.size()) << folder;
    }
}

TEST_F(MaskedFiles, UnreadableFoldersContributeNothing) {
    Paths found;
    CollectMaskedFiles(tree_.File("missing"), "*", Options(true), found);
    CollectMaskedFiles(tree_.File("a.c"), "*", Options(true), found);
    EXPECT_TRUE(found.empty());

    // Root reads every folder: the search then runs as another user.
    ASSERT_EQ(chmod(tree_.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(tree_.File("sub").c_str(), 0), 0);
    const Paths expected{"BIN/k.c", "a.c", "bin.d/h.c", "filelink.c", "obj/i.c"};
    if (geteuid() != 0) {
        EXPECT_EQ(Collect("*.c", Options(true)), expected);
        return;
    }
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const bool asOther = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(asOther && Collect("*.c", Options(true)) == expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(MaskedFilesJoin, FolderWithTrailingSeparatorGivesOneSeparator) {
    Paths found;
    TempFolder folder;
    folder.Write("f.txt", "x");
    CollectMaskedFiles(folder.Path() + "/", "*.txt", Options(false), found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], folder.Path() + "/f.txt");
}

} // namespace

namespace {

TEST_F(MaskedFiles, FoldersThatCouldNotBeSearchedAreNamed) {
    const struct {
        const char* name;
        std::string start;
        Paths unreadable;
    } starts[] = {
        {"missing start", tree_.File("missing"), {tree_.File("missing")}},
        {"a file as start", tree_.File("a.c"), {tree_.File("a.c")}},
    };
    for (const auto& c : starts) {
        tamble::MaskedFiles result;
        CollectMaskedFiles(c.start, "*", Options(true), result);
        EXPECT_TRUE(result.paths.empty()) << c.name;
        EXPECT_EQ(result.unreadableFolders, c.unreadable) << c.name;
    }

    // A folder swapped for a link while the search runs is not entered.
    tamble::MaskedFiles result;
    MaskedFileOptions options = Options(true);
    options.entryFound = [this](const std::string& path) {
        if (path != tree_.File("sub")) return;
        fs::rename(tree_.File("sub"), outside_.File("sub"));
        fs::create_directory_symlink(outside_.Path(), tree_.File("sub"));
    };
    CollectMaskedFiles(tree_.Path(), "*.c", options, result);
    EXPECT_EQ(result.unreadableFolders, Paths{tree_.File("sub")});
    for (const std::string& path : result.paths)
        EXPECT_EQ(path.find("/sub/"), std::string::npos) << path;
    EXPECT_EQ(result.paths.size(), result.found.files.size());

    // An unreadable folder, searched as another user where the test runs as root.
    ASSERT_EQ(chmod(tree_.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(tree_.File("obj").c_str(), 0), 0);
    const auto namesObj = [this] {
        tamble::MaskedFiles found;
        CollectMaskedFiles(tree_.Path(), "*.c", Options(true), found);
        return found.unreadableFolders == Paths{tree_.File("obj")};
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(namesObj());
        return;
    }
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const bool asOther = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(asOther && namesObj() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(MaskedFilesNames, AnyBytesNameIsAFileOfItsFolderNeverTheFolder) {
    TempFolder folder;
    folder.Write("\xff\xfe", "x"); // no text in any code page
    folder.Write("-e x", "x");
    tamble::MaskedFiles result;
    CollectMaskedFiles(folder.Path(), "*", Options(false), result);
    ASSERT_EQ(result.found.files.size(), 2u);
    for (const auto& file : result.found.files) {
        EXPECT_EQ(file.folder, 0u);
        EXPECT_NE(result.found.PathOf(file), folder.Path());
    }
}

} // namespace
