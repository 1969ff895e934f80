// A tree deeper than any path the system accepts: the walk finds its files
// and the deletes remove them, through folder handles alone.
#include "platform/fileops/fileoperations.h"

#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deep enough that a full path exceeds PATH_MAX several times over, and
// that the walk closes and reopens the folders above it.
constexpr int kDepth = 2100;
constexpr int kFileEvery = 300; // a file at every level divisible by this (kDepth is)

// Makes root/d/d/.../d (depth folders) with a file "f" at some levels and
// at the bottom, through descriptors, as no path reaches that deep.
void MakeDeepTree(const std::string& root, int depth) {
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (int level = 1; level <= depth; ++level) {
        ASSERT_EQ(mkdirat(fd, "d", 0700), 0);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        if (level % kFileEvery == 0 || level == depth) {
            const int file = openat(fd, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
            ASSERT_GE(file, 0);
            ASSERT_EQ(write(file, "x", 1), 1);
            close(file);
        }
    }
    close(fd);
}

platform::WalkVisitor Everything() {
    platform::WalkVisitor visitor;
    visitor.enterFolder = [](const std::string&) { return true; };
    visitor.keepFile = [](const std::string&) { return true; };
    return visitor;
}

class DeepTree : public ::testing::Test {
protected:
    DeepTree() {
        context_.prompts = &prompts_;
        context_.homeTrash = disk_.File("trash");
        MakeDeepTree(disk_.Path(), kDepth);
    }
    ~DeepTree() override {
        // remove_all cannot reach that deep: what a failed test left goes
        // through the operation under test, and the rest stays for the
        // temporary folder's cleaner.
        prompts_.yesNoAnswers = {true};
        (void)platform::DeletePaths(context_, {disk_.File("d")}, false);
    }

    TempFolder disk_;
    platform::ScriptedPrompts prompts_;
    platform::FileOperationContext context_;
};

// One tree for every step, as making it is the slow part.
TEST_F(DeepTree, FoundFilesAreTrashedAndDeletedThenTheTreeGoes) {
    platform::FoundEntries found;
    ASSERT_TRUE(platform::WalkTree(disk_.Path(), Everything(), found));
    EXPECT_TRUE(found.unreadableFolders.empty());
    ASSERT_EQ(found.files.size(), static_cast<size_t>(kDepth / kFileEvery)); // the bottom too
    EXPECT_GT(found.PathOf(found.files.back()).size(), static_cast<size_t>(PATH_MAX));

    // The deepest file to the trash, with its whole path in the info file.
    platform::FoundEntries deepest = found;
    deepest.files.erase(deepest.files.begin(), deepest.files.end() - 1);
    EXPECT_EQ(platform::DeleteFound(context_, deepest, true), platform::kFileOperationDone);
    EXPECT_EQ(disk_.Read("trash/files/f"), "x");
    EXPECT_NE(disk_.Read("trash/info/f.trashinfo").find("/d/d/d/f\n"), std::string::npos);

    // The others for good.
    found.files.pop_back();
    prompts_.yesNoAnswers = {true};
    EXPECT_EQ(platform::DeleteFound(context_, found, false), platform::kFileOperationDone);
    platform::FoundEntries again;
    ASSERT_TRUE(platform::WalkTree(disk_.Path(), Everything(), again));
    EXPECT_EQ(again.files.size(), 2u);                                    // the trash's two files
    EXPECT_EQ(again.folders.size(), static_cast<size_t>(kDepth + 1 + 3)); // and its folders

    // The top folder with everything in it.
    prompts_.asked.clear();
    prompts_.yesNoAnswers = {true};
    EXPECT_EQ(platform::DeletePaths(context_, {disk_.File("d")}, false),
              platform::kFileOperationDone);
    struct stat status;
    EXPECT_NE(lstat(disk_.File("d").c_str(), &status), 0);
    EXPECT_EQ(prompts_.asked.size(), 1u); // the question only, no error
}

} // namespace
