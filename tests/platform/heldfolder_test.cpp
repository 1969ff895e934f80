// A held folder, and the file operations on one whose path was made to lead
// elsewhere by renaming a folder above it away and making another folder of
// the same names in its place (which Wine and Windows allow while a folder
// below is held, unlike a link in its place).
#include "platform/heldfolder.h"

#include "platform/fileops/fileoperations.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"
#include "tests/common/treesnapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::HeldFolder;

TEST(HeldFolder, MakesEntriesOnlyUnderFreeNamesAndTellsThem) {
    TempFolder disk;
    fs::create_directories(disk.File("held/sub"));
    disk.Write("held/full.txt", "bytes");
    HeldFolder held;
    ASSERT_EQ(held.Open(disk.File("held")), 0);
    EXPECT_TRUE(held.StillNamed());
    const struct {
        const char* name;
        bool asFolder;
        bool made;
    } cases[] = {
        {"new.txt", false, true},  {"newdir", true, true},  {"full.txt", false, false},
        {"full.txt", true, false}, {"sub", false, false},   {"sub", true, false},
        {"new.txt", false, false}, {"newdir", true, false},
    };
    for (const auto& c : cases) {
        const int error = c.asFolder ? held.MakeFolder(c.name) : held.MakeEmptyFile(c.name);
        EXPECT_EQ(error == 0, c.made) << c.name << (c.asFolder ? " as a folder" : "");
    }
    EXPECT_EQ(disk.Read("held/full.txt"), "bytes");
    EXPECT_TRUE(fs::is_regular_file(disk.File("held/new.txt")));
    EXPECT_TRUE(fs::is_directory(disk.File("held/newdir")));
    platform::EntryIdentity file;
    platform::EntryIdentity folder;
    ASSERT_EQ(held.EntryIdentityOf("full.txt", file), 0);
    ASSERT_EQ(held.EntryIdentityOf("sub", folder), 0);
    EXPECT_FALSE(platform::IsFolderIdentity(file));
    EXPECT_TRUE(platform::IsFolderIdentity(folder));
    EXPECT_NE(held.EntryIdentityOf("missing", file), 0);

    HeldFolder same;
    ASSERT_EQ(same.OpenSame(held), 0);
    EXPECT_EQ(same.Identity(), held.Identity());
    EXPECT_EQ(same.Path(), held.Path());
    held.Close();
    EXPECT_FALSE(held.StillNamed());
    EXPECT_TRUE(same.StillNamed());
    EXPECT_NE(held.OpenSame(HeldFolder()), 0);
    EXPECT_NE(held.Open(disk.File("held/full.txt")), 0); // no folder
}

TEST(HeldFolder, OperationsRefuseAFolderRenamedAwayAndReplaced) {
    TempFolder disk;
    for (const char* name : {"start/sub/c.txt", "start/sub/deeper/d.txt", "other/x.txt"}) {
        fs::create_directories(fs::path(disk.File(name)).parent_path());
        disk.Write(name, std::string("bytes of ") + name);
    }
    fs::create_directories(disk.File("attic"));
    HeldFolder held;
    ASSERT_EQ(held.Open(disk.File("start/sub")), 0);
#ifdef _WIN32
    // Held without delete sharing: the folder itself stays where it is.
    std::error_code refused;
    fs::rename(disk.File("start/sub"), disk.File("attic/sub"), refused);
    EXPECT_TRUE(refused) << "the held folder was renamed";
    if (!refused) fs::rename(disk.File("attic/sub"), disk.File("start/sub"));
#endif
    std::error_code error;
    fs::rename(disk.File("start"), disk.File("attic/start"), error);
    if (error) GTEST_SKIP() << "the system keeps a folder above a held one in place";
    for (const char* name : {"start/sub/c.txt", "start/sub/deeper/d.txt", "start/sub/keep.txt"}) {
        fs::create_directories(fs::path(disk.File(name)).parent_path());
        disk.Write(name, std::string("decoy ") + name);
    }
    EXPECT_FALSE(held.StillNamed());
    const std::string in = disk.File("start/sub");
    const std::string other = disk.File("other");
    const struct {
        const char* name;
        std::function<int(const platform::FileOperationContext&)> run;
    } cases[] = {
        {"delete", [&](auto& c) { return platform::DeletePaths(c, {in + "/c.txt"}, false); }},
        {"trash", [&](auto& c) { return platform::DeletePaths(c, {in + "/c.txt"}, true); }},
        {"rename",
         [&](auto& c) { return platform::RenamePath(c, in + "/c.txt", in + "/renamed.txt"); }},
        {"move in", [&](auto& c) { return platform::MovePaths(c, {other + "/x.txt"}, in); }},
        {"copy in", [&](auto& c) { return platform::CopyPaths(c, {other + "/x.txt"}, in, false); }},
        {"move out", [&](auto& c) { return platform::MovePaths(c, {in + "/c.txt"}, other); }},
        {"copy out",
         [&](auto& c) { return platform::CopyPaths(c, {in + "/c.txt"}, other, false); }},
    };
    const auto decoy = TreeSnapshot(disk.File("start"));
    const auto original = TreeSnapshot(disk.File("attic"));
    const auto others = TreeSnapshot(other);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScriptedPrompts prompts;
        prompts.yesNoAnswers = {true, true};
        platform::FileOperationContext context;
        context.prompts = &prompts;
        context.homeTrash = disk.File("trash");
        context.shellBoxes = false;
        context.heldFolders = {&held};
        EXPECT_EQ(c.run(context), platform::kFileOperationFailed);
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].text, platform::FolderChangedText(held.Path()));
        EXPECT_EQ(TreeSnapshot(disk.File("start")), decoy);
        EXPECT_EQ(TreeSnapshot(disk.File("attic")), original);
        EXPECT_EQ(TreeSnapshot(other), others);
    }
    // What is made in the held folder goes into it, wherever it is now.
    EXPECT_EQ(held.MakeEmptyFile("new.txt"), 0);
    EXPECT_TRUE(fs::exists(disk.File("attic/start/sub/new.txt")));
    EXPECT_EQ(TreeSnapshot(disk.File("start")), decoy);
}

} // namespace
