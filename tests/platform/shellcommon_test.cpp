#include "platform/fileops/shellcommon.h"

#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(ShellSourceBuffer, HoldsEveryPathNulTerminatedAndEndsWithAnotherNul) {
    const struct {
        const char* name;
        std::vector<std::string> paths;
        std::vector<char> bytes;
    } cases[] = {
        {"X and YZ", {"X", "YZ"}, {'X', 0, 'Y', 'Z', 0, 0, 0}},
        {"one path", {"/a"}, {'/', 'a', 0, 0}},
        {"empty list keeps its end", {}, {0, 0}},
    };
    for (const auto& c : cases) {
        const std::vector<char> buffer = platform::BuildSourceBuffer(c.paths);
        EXPECT_EQ(buffer, c.bytes) << c.name;
        EXPECT_EQ(platform::SplitSourceBuffer(buffer), c.paths) << c.name;
    }
}

class ShellCommonTest : public ::testing::Test {
protected:
    ShellCommonTest() {
        owner_.prompts = &prompts_;
        owner_.homeTrash = folder_.File("trash");
        fs::create_directories(folder_.File("dst"));
    }
    std::string Cp932Path(const std::string& name) const {
        return platform::Utf8ToCp932(folder_.File(name));
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    platform::ShellOwner owner_;
};

TEST_F(ShellCommonTest, WrappersReachTheOperationsWithTheirFlags) {
    folder_.Write("表.txt", "x");
    const std::string file = Cp932Path("表.txt");
    // Copy into its own folder with the collision flag: a renamed duplicate.
    EXPECT_EQ(platform::ShellCopy(owner_, {file}, platform::Utf8ToCp932(folder_.Path()), true), 0);
    EXPECT_TRUE(fs::exists(folder_.File("表 (2).txt")));
    EXPECT_EQ(platform::ShellMove(owner_, {Cp932Path("表 (2).txt")}, Cp932Path("dst")), 0);
    EXPECT_TRUE(fs::exists(folder_.File("dst/表 (2).txt")));
    EXPECT_EQ(platform::ShellRename(owner_, {Cp932Path("dst/表 (2).txt")}, Cp932Path("dst/b.txt")),
              0);
    EXPECT_TRUE(fs::exists(folder_.File("dst/b.txt")));
    // To the recycle bin: the trash, no question.
    EXPECT_EQ(platform::ShellDelete(owner_, {file}, true), 0);
    EXPECT_TRUE(fs::exists(folder_.File("trash/files/表.txt")));
    // For good: only after a Yes.
    prompts_.yesNoAnswers = {true};
    EXPECT_EQ(platform::ShellDelete(owner_, {Cp932Path("dst/b.txt")}, false), 0);
    EXPECT_FALSE(fs::exists(folder_.File("dst/b.txt")));
    EXPECT_EQ(prompts_.asked.size(), 1u);
    EXPECT_NE(platform::ShellFileOperation(owner_, {Cp932Path("dst")}, 9, 0, "x"), 0);
}

TEST_F(ShellCommonTest, PathThatIsNoFileNameIsRefused) {
    folder_.Write("a.txt", "x");
    // A lone lead byte converts to U+FFFD, which would name another file.
    const std::string broken = Cp932Path("a.txt") + "\x81";
    EXPECT_NE(platform::ShellDelete(owner_, {broken}, true), 0);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "Message");
    EXPECT_TRUE(fs::exists(folder_.File("a.txt")));
}

TEST_F(ShellCommonTest, BrowseForFolderFillsTheBuffer) {
    char result[platform::kMaxPath] = "stale";
    prompts_.folderAnswers = {std::string("/home/user/work"), std::nullopt,
                              std::string(platform::kMaxPath, 'a')};
    EXPECT_STREQ(platform::BrowseForFolder(owner_, result, "title", "/home"), "/home/user/work");
    EXPECT_EQ(prompts_.asked[0].title, "title");
    EXPECT_EQ(prompts_.asked[0].text, "/home");
    EXPECT_STREQ(platform::BrowseForFolder(owner_, result, "title", nullptr), "");
    EXPECT_STREQ(platform::BrowseForFolder(owner_, result, "title", nullptr), "");
    EXPECT_EQ(prompts_.asked.back().kind, "Message");
}

} // namespace
