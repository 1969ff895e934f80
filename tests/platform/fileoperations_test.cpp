#include "platform/fileops/fileoperations.h"

#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using platform::kFileOperationCancelled;
using platform::kFileOperationDone;
using platform::kFileOperationFailed;

// Progress that cancels at a given step (0: never) and counts the steps.
class ScriptedProgress : public platform::OperationProgress {
public:
    int cancelAtStep = 0;
    int steps = 0;
    bool begun = false;
    bool ended = false;

    void Begin(const std::string&, uint64_t) override { begun = true; }
    bool Step(const std::string&, uint64_t) override {
        ++steps;
        return cancelAtStep == 0 || steps < cancelAtStep;
    }
    void End() override { ended = true; }
};

class FileOperationsTest : public ::testing::Test {
protected:
    FileOperationsTest() {
        context_.prompts = &prompts_;
        context_.progress = &progress_;
        context_.homeTrash = Path("trash");
        fs::create_directories(Path("src"));
        fs::create_directories(Path("dst"));
    }

    std::string Path(const std::string& relative) const { return folder_.File(relative); }
    std::string Write(const std::string& relative, const std::string& bytes) const {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        return folder_.Write(relative, bytes);
    }
    std::string Read(const std::string& relative) const { return folder_.Read(relative); }
    bool Exists(const std::string& relative) const {
        return fs::exists(fs::symlink_status(Path(relative)));
    }
    // Every path under the folder, relative, sorted: the whole state of a tree.
    std::vector<std::string> Tree(const std::string& relative) const {
        std::vector<std::string> names;
        const fs::path root = Path(relative);
        for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it)
            names.push_back(it->path().lexically_relative(root).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A source tree: a file, a folder with a file and a link to a folder
    // outside the tree, which must never be followed.
    void MakeSourceTree() {
        Write("src/a.txt", "alpha");
        Write("src/dir/b.txt", "beta");
        Write("outside/keep.txt", "keep");
        fs::create_directory_symlink(Path("outside"), Path("src/dir/link"));
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& question : prompts_.asked)
            if (question.kind == "Message") texts.push_back(question.text);
        return texts;
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    ScriptedProgress progress_;
    platform::FileOperationContext context_;
};

TEST(CollisionName, FollowsTheDesktopConvention) {
    const struct {
        const char* name;
        int n;
        const char* expected;
    } cases[] = {{"report.txt", 2, "report (2).txt"},
                 {"notes", 3, "notes (3)"},
                 {".profile", 2, ".profile (2)"},
                 {"a.tar.gz", 2, "a.tar (2).gz"},
                 {"dir.d", 10, "dir (10).d"}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::CollisionName(c.name, c.n), c.expected);
}

TEST_F(FileOperationsTest, CopyCopiesTreesAndLinksAsLinks) {
    MakeSourceTree();
    ASSERT_EQ(
        platform::CopyPaths(context_, {Path("src/a.txt"), Path("src/dir")}, Path("dst"), false),
        kFileOperationDone);
    EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"a.txt", "dir", "dir/b.txt", "dir/link"}));
    EXPECT_EQ(Read("dst/dir/b.txt"), "beta");
    EXPECT_TRUE(fs::is_symlink(Path("dst/dir/link")));
    EXPECT_EQ(fs::read_symlink(Path("dst/dir/link")), Path("outside"));
    EXPECT_EQ(Tree("src"), (std::vector<std::string>{"a.txt", "dir", "dir/b.txt", "dir/link"}));
    EXPECT_TRUE(progress_.begun && progress_.ended);
    EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(FileOperationsTest, CopyCollisions) {
    const struct {
        const char* name;
        std::string destination;
        bool renameOnCollision;
        std::vector<bool> answers;
        int result;
        std::vector<std::string> expectedTree; // of the destination
        const char* contentOfA;                // of destination/a.txt
    } cases[] = {
        {"into its own folder: renamed copies",
         "src",
         false,
         {},
         kFileOperationDone,
         {"a (2).txt", "a (3).txt", "a.txt"},
         "new"},
        {"rename asked for, taken names skipped",
         "dst",
         true,
         {},
         kFileOperationDone,
         {"a (2).txt", "a (3).txt", "a (4).txt", "a.txt"},
         "old"},
        {"overwrite refused", "dst", false, {false}, kFileOperationCancelled, {"a.txt"}, "old"},
        {"overwrite accepted", "dst", false, {true}, kFileOperationDone, {"a.txt"}, "new"},
    };
    for (const auto& c : cases) {
        fs::remove_all(Path("src"));
        fs::remove_all(Path("dst"));
        Write("src/a.txt", "new");
        Write("dst/a.txt", "old");
        if (c.renameOnCollision) Write("dst/a (2).txt", "old 2");
        prompts_.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        prompts_.asked.clear();
        const int first = platform::CopyPaths(context_, {Path("src/a.txt")}, Path(c.destination),
                                              c.renameOnCollision);
        EXPECT_EQ(first, c.result) << c.name;
        if (c.result == kFileOperationDone && c.answers.empty()) {
            // A second paste makes the next free name.
            EXPECT_EQ(platform::CopyPaths(context_, {Path("src/a.txt")}, Path(c.destination),
                                          c.renameOnCollision),
                      kFileOperationDone)
                << c.name;
        }
        EXPECT_EQ(Tree(c.destination), c.expectedTree) << c.name;
        EXPECT_EQ(Read(c.destination + "/a.txt"), c.contentOfA) << c.name;
        EXPECT_EQ(prompts_.asked.size(), c.answers.size()) << c.name;
    }
}

TEST_F(FileOperationsTest, MergedFolderReplacesLinksByLinks) {
    MakeSourceTree();
    fs::create_directories(Path("dst/dir"));
    fs::create_symlink("elsewhere", Path("dst/dir/link"));
    prompts_.yesNoAnswers = {true};
    ASSERT_EQ(platform::CopyPaths(context_, {Path("src/dir")}, Path("dst"), false),
              kFileOperationDone);
    EXPECT_EQ(fs::read_symlink(Path("dst/dir/link")), Path("outside"));
    EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"dir", "dir/b.txt", "dir/link"}));
}

TEST_F(FileOperationsTest, FolderIsNeverPutInsideItself) {
    MakeSourceTree();
    const std::vector<std::string> before = Tree("src");
    for (const std::string& destination : {Path("src/dir"), Path("src/dir/sub")}) {
        fs::create_directories(Path("src/dir/sub"));
        prompts_.asked.clear();
        EXPECT_EQ(platform::CopyPaths(context_, {Path("src/dir")}, destination, true),
                  kFileOperationFailed);
        EXPECT_EQ(platform::MovePaths(context_, {Path("src/dir")}, destination),
                  kFileOperationFailed);
        EXPECT_EQ(Messages().size(), 2u);
        fs::remove(Path("src/dir/sub"));
        EXPECT_EQ(Tree("src"), before);
    }
    // Through a link to it, too.
    fs::create_directory_symlink(Path("src/dir"), Path("dst/alias"));
    EXPECT_EQ(platform::MovePaths(context_, {Path("src/dir")}, Path("dst/alias")),
              kFileOperationFailed);
    EXPECT_EQ(Tree("src"), before);
}

TEST_F(FileOperationsTest, MoveWithinAFileSystemRenames) {
    MakeSourceTree();
    ASSERT_EQ(platform::MovePaths(context_, {Path("src/a.txt"), Path("src/dir")}, Path("dst")),
              kFileOperationDone);
    EXPECT_EQ(Tree("src"), std::vector<std::string>{});
    EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"a.txt", "dir", "dir/b.txt", "dir/link"}));
    EXPECT_EQ(Read("outside/keep.txt"), "keep");
    // A second paste of the same cut finds nothing to move.
    EXPECT_EQ(platform::MovePaths(context_, {Path("src/a.txt")}, Path("dst")),
              kFileOperationFailed);
    EXPECT_EQ(Messages().size(), 1u);
    // Moving into the folder it is already in is refused.
    EXPECT_EQ(platform::MovePaths(context_, {Path("dst/a.txt")}, Path("dst")),
              kFileOperationFailed);
    EXPECT_EQ(Read("dst/a.txt"), "alpha");
}

TEST_F(FileOperationsTest, MoveAcrossFileSystemsCopiesThenRemovesSources) {
    MakeSourceTree();
    context_.calls.rename = [](const std::string&, const std::string&) { return EXDEV; };
    ASSERT_EQ(platform::MovePaths(context_, {Path("src/a.txt"), Path("src/dir")}, Path("dst")),
              kFileOperationDone);
    EXPECT_EQ(Tree("src"), std::vector<std::string>{});
    EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"a.txt", "dir", "dir/b.txt", "dir/link"}));
    EXPECT_TRUE(fs::is_symlink(Path("dst/dir/link")));
    // Removing the moved link removed the link, not what it points to.
    EXPECT_EQ(Tree("outside"), std::vector<std::string>{"keep.txt"});
}

TEST_F(FileOperationsTest, FailureOrCancelMidwayLeavesEverySourceInPlace) {
    const struct {
        const char* name;
        bool crossDevice;    // renames fail with EXDEV
        bool failSecondCopy; // the copy of b.txt fails
        int cancelAtStep;
        int result;
    } cases[] = {
        {"copy fault across file systems", true, true, 0, kFileOperationFailed},
        {"cancel across file systems", true, false, 3, kFileOperationCancelled},
        {"rename then copy fault", false, true, 0, kFileOperationFailed},
        {"cancel after a rename", false, false, 2, kFileOperationCancelled},
    };
    for (const auto& c : cases) {
        fs::remove_all(Path("src"));
        fs::remove_all(Path("dst"));
        fs::remove_all(Path("outside"));
        MakeSourceTree();
        fs::create_directories(Path("dst/dir"));
        Write("dst/dir/old.txt", "stays");
        // dst/dir exists, so src/dir is merged into it by copying.
        prompts_.yesNoAnswers = {true};
        prompts_.asked.clear();
        progress_ = ScriptedProgress{};
        progress_.cancelAtStep = c.cancelAtStep;
        context_.calls = {};
        if (c.crossDevice)
            context_.calls.rename = [](const std::string&, const std::string&) { return EXDEV; };
        if (c.failSecondCopy) {
            context_.calls.beforeCopy = [](const std::string& source, const std::string&) {
                return source.ends_with("b.txt") ? EIO : 0;
            };
        }
        const std::vector<std::string> before = Tree("src");
        EXPECT_EQ(platform::MovePaths(context_, {Path("src/a.txt"), Path("src/dir")}, Path("dst")),
                  c.result)
            << c.name;
        EXPECT_EQ(Tree("src"), before) << c.name;
        EXPECT_EQ(Read("src/a.txt"), "alpha") << c.name;
        EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"dir", "dir/old.txt"})) << c.name;
        EXPECT_EQ(Messages().size(), c.failSecondCopy ? 1u : 0u) << c.name;
    }
}

TEST_F(FileOperationsTest, FailedCopyLeavesNoHalfFilesAndKeepsTheReplacedOne) {
    Write("src/a.txt", "new");
    Write("src/b.txt", "new b");
    Write("dst/a.txt", "old");
    context_.calls.beforeCopy = [](const std::string& source, const std::string&) {
        return source.ends_with("b.txt") ? ENOSPC : 0;
    };
    prompts_.yesNoAnswers = {true};
    EXPECT_EQ(
        platform::CopyPaths(context_, {Path("src/b.txt"), Path("src/a.txt")}, Path("dst"), false),
        kFileOperationFailed);
    EXPECT_EQ(Tree("dst"), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(Read("dst/a.txt"), "old");
}

TEST_F(FileOperationsTest, DeleteForGoodAsksWithTheNamesAndNeverFollowsLinks) {
    MakeSourceTree();
    prompts_.yesNoAnswers = {false};
    EXPECT_EQ(platform::DeletePaths(context_, {Path("src/a.txt"), Path("src/dir")}, false),
              kFileOperationCancelled);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    const std::string& question = prompts_.asked[0].text;
    EXPECT_NE(question.find(platform::Utf8ToCp932(Path("src/a.txt"))), std::string::npos);
    EXPECT_NE(question.find(platform::Utf8ToCp932(Path("src/dir"))), std::string::npos);
    EXPECT_EQ(Tree("src").size(), 4u);

    prompts_.yesNoAnswers = {true};
    EXPECT_EQ(platform::DeletePaths(context_, {Path("src/a.txt"), Path("src/dir")}, false),
              kFileOperationDone);
    EXPECT_EQ(Tree("src"), std::vector<std::string>{});
    EXPECT_EQ(Tree("outside"), std::vector<std::string>{"keep.txt"});
}

TEST_F(FileOperationsTest, TrashKeepsWhatItTakesWithItsOrigin) {
    MakeSourceTree();
    Write("other/a.txt", "second");
    ASSERT_EQ(platform::DeletePaths(context_, {Path("src/a.txt"), Path("src/dir/link")}, true),
              kFileOperationDone);
    ASSERT_EQ(platform::DeletePaths(context_, {Path("other/a.txt")}, true), kFileOperationDone);
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_EQ(Tree("trash"),
              (std::vector<std::string>{"files", "files/a (2).txt", "files/a.txt", "files/link",
                                        "info", "info/a (2).txt.trashinfo", "info/a.txt.trashinfo",
                                        "info/link.trashinfo"}));
    EXPECT_EQ(Read("trash/files/a (2).txt"), "second");
    EXPECT_TRUE(fs::is_symlink(Path("trash/files/link")));
    EXPECT_EQ(Tree("outside"), std::vector<std::string>{"keep.txt"});
    const std::string info = Read("trash/info/a.txt.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + Path("src/a.txt") + "\nDeletionDate=", 0), 0u)
        << info;
    // A failure to trash is reported and deletes nothing.
    context_.calls.rename = [](const std::string&, const std::string&) { return EACCES; };
    EXPECT_EQ(platform::DeletePaths(context_, {Path("src/dir/b.txt")}, true), kFileOperationFailed);
    EXPECT_EQ(Read("src/dir/b.txt"), "beta");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(FileOperationsTest, RenameNeverReplaces) {
    Write("src/a.txt", "a");
    Write("src/b.txt", "b");
    EXPECT_EQ(platform::RenamePath(context_, Path("src/a.txt"), Path("src/b.txt")),
              kFileOperationFailed);
    EXPECT_EQ(Read("src/b.txt"), "b");
    EXPECT_EQ(platform::RenamePath(context_, Path("src/a.txt"), Path("src/c.txt")),
              kFileOperationDone);
    EXPECT_EQ(Tree("src"), (std::vector<std::string>{"b.txt", "c.txt"}));
    EXPECT_EQ(platform::RenamePath(context_, Path("src/gone"), Path("src/x")),
              kFileOperationFailed);
    EXPECT_EQ(Messages().size(), 2u);
}

} // namespace

namespace {

// A name that fits a folder but not the trash, whose info file adds
// ".trashinfo" to it: a file that cannot be moved, whoever runs the test.
const std::string kNameTooLongForTheTrash(250, 'n');

TEST_F(FileOperationsTest, AnEntryThatCannotBeTrashedFailsAloneAndTheRestGoes) {
    Write("src/a.txt", "a");
    Write("src/" + kNameTooLongForTheTrash, "stuck");
    Write("src/b.txt", "b");
    EXPECT_EQ(platform::DeletePaths(
                  context_,
                  {Path("src/a.txt"), Path("src/" + kNameTooLongForTheTrash), Path("src/b.txt")},
                  true),
              kFileOperationFailed);
    EXPECT_EQ(Tree("src"), std::vector<std::string>{kNameTooLongForTheTrash});
    EXPECT_EQ(Tree("trash"),
              (std::vector<std::string>{"files", "files/a.txt", "files/b.txt", "info",
                                        "info/a.txt.trashinfo", "info/b.txt.trashinfo"}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find(kNameTooLongForTheTrash), std::string::npos);
}

TEST_F(FileOperationsTest, AFileInAReadOnlyFolderFailsAloneAndTheRestGoes) {
    if (geteuid() == 0) GTEST_SKIP() << "root deletes from read-only folders";
    Write("src/a.txt", "a");
    Write("src/locked/stuck.txt", "stuck");
    Write("src/z/b.txt", "b");
    ASSERT_EQ(chmod(Path("src/locked").c_str(), 0555), 0);
    prompts_.yesNoAnswers = {true};
    const int result = platform::DeletePaths(context_, {Path("src")}, false);
    chmod(Path("src/locked").c_str(), 0755);
    EXPECT_EQ(result, kFileOperationFailed);
    // The folders that keep it stay, with nothing else in them.
    EXPECT_EQ(Tree("src"), (std::vector<std::string>{"locked", "locked/stuck.txt"}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("stuck.txt"), std::string::npos);
}

TEST_F(FileOperationsTest, MoveAcrossVolumesRemovesOnlyWhatItCopied) {
    MakeSourceTree();
    context_.calls.rename = [](const std::string&, const std::string&) { return EXDEV; };
    // A file written into the source folder once its listing was copied.
    context_.calls.beforeCopy = [this](const std::string& source, const std::string&) {
        if (source.ends_with("b.txt")) Write("src/dir/late.txt", "late");
        return 0;
    };
    EXPECT_EQ(platform::MovePaths(context_, {Path("src/dir")}, Path("dst")), kFileOperationFailed);
    EXPECT_EQ(Read("src/dir/late.txt"), "late");
    EXPECT_EQ(Tree("src"), (std::vector<std::string>{"a.txt", "dir", "dir/late.txt"}));
    EXPECT_EQ(Tree("dst"), (std::vector<std::string>{"dir", "dir/b.txt", "dir/link"}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("late.txt"), std::string::npos);
}

} // namespace
