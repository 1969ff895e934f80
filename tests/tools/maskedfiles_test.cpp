// The delete-by-mask search on a plain tree, the same on every system.
#include "platform/paths.h"
#include "tests/common/tempfolder.h"
#include "tools/maskedfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using tamble::CollectMaskedFiles;
using tamble::MaskedFileOptions;
using Paths = std::vector<std::string>;

const std::string kSeparator(1, platform::Separator(platform::NativePathStyle()));

// A path from UTF-8 text on every system (a plain string is the ANSI code
// page on Windows).
fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// A found path below folder, relative to it with '/' between names.
std::string Relative(const std::string& path, const std::string& folder) {
    EXPECT_EQ(path.rfind(folder + kSeparator, 0), 0u) << path << " left the tree";
    std::string relative = path.substr(std::min(path.size(), folder.size() + 1));
    std::replace(relative.begin(), relative.end(), kSeparator[0], '/');
    return relative;
}

class MaskedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.c",
                                 "b.h",
                                 "MAIN.H",
                                 "x.h.h",
                                 "Makefile",
                                 "data",
                                 "data1",
                                 "data_old",
                                 "dat",
                                 "bin",
                                 "keep.bak",
                                 "sub/c.c",
                                 "sub/d.txt",
                                 "sub/bin/e.c",
                                 "sub/obj/f.c",
                                 "sub/deep/g.c",
                                 "sub/deep/obj/j.c",
                                 "bin.d/h.c",
                                 "bin.d/BIN/k.c",
                                 "obj/i.c"}) {
            fs::create_directories(fs::path(tree_.File(name)).parent_path());
            tree_.Write(name, "x");
        }
    }

    // The found paths relative to the tree, sorted (the system's order is
    // not fixed).
    Paths Collect(const std::string& masks, const MaskedFileOptions& options) const {
        Paths found;
        CollectMaskedFiles(tree_.Path(), masks, options, found);
        Paths relative;
        for (const std::string& path : found)
            relative.push_back(Relative(path, tree_.Path()));
        std::sort(relative.begin(), relative.end());
        return relative;
    }

    TempFolder tree_;
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
         {"MAIN.H", "a.c", "b.h", "keep.bak", "x.h.h"}},
        {"* takes every file, never a folder",
         "*",
         Options(false),
         {"MAIN.H", "Makefile", "a.c", "b.h", "bin", "dat", "data", "data1", "data_old", "keep.bak",
          "x.h.h"}},
        {"trailing ? takes the rest, also nothing",
         "data?",
         Options(false),
         {"data", "data1", "data_old"}},
        {"mask list", "*.c;*.bak", Options(false), {"a.c", "keep.bak"}},
        {"empty part matches no file", ";", Options(false), {}},
        {"subfolders",
         "*.c",
         Options(true),
         {"a.c", "bin.d/BIN/k.c", "bin.d/h.c", "obj/i.c", "sub/bin/e.c", "sub/c.c", "sub/deep/g.c",
          "sub/deep/obj/j.c", "sub/obj/f.c"}},
        {"excluded folders at any depth, case-blind; a file named bin still goes",
         "*.c;bin",
         Options(true, nullptr, "bin;obj"),
         {"a.c", "bin", "bin.d/h.c", "sub/c.c", "sub/deep/g.c"}},
        {"excluded files at any depth",
         "*.c",
         Options(true, "e*;f*;a?c", nullptr),
         {"bin.d/BIN/k.c", "bin.d/h.c", "obj/i.c", "sub/c.c", "sub/deep/g.c", "sub/deep/obj/j.c"}},
        {"file exclusion applies without subfolders", "*.c", Options(false, "a*", nullptr), {}},
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
    for (std::string& path : found)
        path = Relative(path, tree_.Path());
    // Every folder's files (its whole subtree) form one unbroken run.
    for (const char* folder : {"sub/", "sub/deep/", "sub/deep/obj/", "bin.d/", "obj/"}) {
        std::vector<size_t> at;
        for (size_t i = 0; i < found.size(); ++i)
            if (found[i].rfind(folder, 0) == 0) at.push_back(i);
        ASSERT_FALSE(at.empty()) << folder;
        EXPECT_EQ(at.back() - at.front() + 1, at.size()) << folder;
    }
}

TEST_F(MaskedFiles, FoldersThatCouldNotBeSearchedAreNamed) {
    const struct {
        const char* name;
        std::string start;
    } starts[] = {
        {"missing start", tree_.Path() + kSeparator + "missing"},
        {"a file as start", tree_.Path() + kSeparator + "a.c"},
        // It would read as a folder named U+FFFD, which is not the one meant.
        {"a byte that starts no character", tree_.Path() + kSeparator + "\x81"},
    };
    const fs::path decoy = Utf8Path(tree_.Path()) / Utf8Path("\xEF\xBF\xBD");
    fs::create_directory(decoy);
    std::ofstream(decoy / "decoy.c") << "x";
    for (const auto& c : starts) {
        tamble::MaskedFiles result;
        CollectMaskedFiles(c.start, "*", Options(true), result);
        EXPECT_TRUE(FoundPaths(result).empty()) << c.name;
        EXPECT_TRUE(result.found.files.empty()) << c.name;
        EXPECT_EQ(result.unreadableFolders, Paths{c.start}) << c.name;
    }
}

TEST(MaskedFilesJoin, FolderWithTrailingSeparatorGivesOneSeparator) {
    Paths found;
    TempFolder folder;
    folder.Write("f.txt", "x");
    CollectMaskedFiles(folder.Path() + kSeparator, "*.txt", Options(false), found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], folder.Path() + kSeparator + "f.txt");
}

} // namespace
