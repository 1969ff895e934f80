#include "project/projectfile.h"

#include "platform/codepage.h"
#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tamble::ProjectReadError;
using tamble::ProjectTree;
using Nodes = std::vector<ProjectTree::Node>;

ProjectTree SampleTree() {
    ProjectTree tree;
    const int demo = tree.AddProject("Demo");
    tamble::AddFileToProject(tree, demo, "D:\\src\\main.c");
    tamble::AddFileToProject(tree, demo, "D:\\src\\main.h");
    // A name whose second byte is a backslash (0x95 0x5C) and trailing blanks.
    const int other = tree.AddProject(platform::Utf8ToCp932("表 ") + " ");
    tamble::AddFileToProject(tree, other, "/home/u/read me");
    return tree;
}

TEST(ProjectFile, WritesTabsAndCrLfAndReadsBackTheSameTree) {
    TempFolder folder;
    const std::string path = folder.File("a.prj");
    const ProjectTree tree = SampleTree();
    ASSERT_TRUE(tamble::SaveProjectFile(path, tree));
    const std::string expected = "Demo\r\n\tSource Files\r\n\t\tD:\\src\\main.c\r\n"
                                 "\tHeader Files\r\n\t\tD:\\src\\main.h\r\n\tOther Files\r\n" +
                                 platform::Utf8ToCp932("表 ") +
                                 " \r\n\tSource Files\r\n\tHeader Files\r\n"
                                 "\tOther Files\r\n\t\t/home/u/read me\r\n";
    EXPECT_EQ(folder.Read("a.prj"), expected);

    ProjectTree read;
    EXPECT_EQ(tamble::LoadProjectFile(path, read).kind, ProjectReadError::None);
    EXPECT_EQ(read, tree);
}

TEST(ProjectFile, EmptyTreeIsAnEmptyFileAndReadsAsNoProjects) {
    TempFolder folder;
    const std::string path = folder.File("empty.prj");
    ASSERT_TRUE(tamble::SaveProjectFile(path, ProjectTree()));
    EXPECT_EQ(folder.Read("empty.prj"), "");
    ProjectTree tree = SampleTree();
    EXPECT_EQ(tamble::LoadProjectFile(path, tree).kind, ProjectReadError::None);
    EXPECT_TRUE(tree.Empty());
}

TEST(ProjectFile, ReadsLineEndsDepthsAndLevels) {
    const struct {
        const char* name;
        std::string bytes;
        Nodes expected;
    } cases[] = {
        {"CR LF, CR and LF end lines", "a\r\n\tb\rc\nd", {{0, "a"}, {1, "b"}, {0, "c"}, {0, "d"}}},
        {"a final line end adds nothing", "a\r\n\tb\r\n", {{0, "a"}, {1, "b"}}},
        {"an empty line in the middle is a project",
         "a\r\n\r\nb\r\n",
         {{0, "a"}, {0, ""}, {0, "b"}}},
        {"CR CR LF is two line ends", "a\r\r\nb", {{0, "a"}, {0, ""}, {0, "b"}}},
        {"blanks count as levels", "a\n b\n  c\n d", {{0, "a"}, {1, "b"}, {2, "c"}, {1, "d"}}},
        {"trailing blanks stay", "a \t\n\tb  ", {{0, "a \t"}, {1, "b  "}}},
        {"an indented first line is a project", "\t\ta\nb\n\tc", {{0, "a"}, {0, "b"}, {1, "c"}}},
        {"going up several levels",
         "a\n\tb\n\t\tc\n\t\t\td\n\te",
         {{0, "a"}, {1, "b"}, {2, "c"}, {3, "d"}, {1, "e"}}},
        {"only bytes before a NUL count", std::string("a\n\tb\0\n\tc", 8), {{0, "a"}, {1, "b"}}},
        {"only a NUL", std::string("\0a", 2), {}},
    };
    for (const auto& c : cases) {
        ProjectTree tree;
        EXPECT_EQ(tamble::ParseProjectText(c.bytes, tree).kind, ProjectReadError::None) << c.name;
        EXPECT_EQ(tree.Nodes(), c.expected) << c.name;
    }
}

TEST(ProjectFile, LevelJumpStopsWithItsMessage) {
    ProjectTree tree;
    // Four blanks are depth 4, not one level.
    const ProjectReadError error = tamble::ParseProjectText("a\n\tb\n    deep x\nc\n", tree);
    EXPECT_EQ(error.kind, ProjectReadError::LevelJump);
    EXPECT_EQ(error.depth, 4);
    EXPECT_EQ(error.text, "deep x");
    EXPECT_EQ(tree.Nodes(), (Nodes{{0, "a"}, {1, "b"}}));
    EXPECT_EQ(tamble::ReadErrorMessage(error, "p.prj"),
              platform::Utf8ToCp932("アイテム \"deep x\" の階層 (4) が不正です"));
}

#ifndef _WIN32 // needs a file size limit
TEST(ProjectFile, FailedSaveKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder.Write("keep.prj", "old\r\n");
    {
        // A write that fails halfway, even for root.
        FileSizeLimit limit(4);
        EXPECT_FALSE(tamble::SaveProjectFile(path, SampleTree()));
    }
    EXPECT_EQ(folder.Read("keep.prj"), "old\r\n");
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"keep.prj"});
}
#endif

// A tree holding a text the file cannot give back is not written at all;
// every other tree reads back as it was.
TEST(ProjectFile, SavesOnlyWhatReadsBack) {
    const struct {
        const char* name;
        std::string project;
        std::string file;
        bool saved;
    } cases[] = {
        {"plain", "Demo", "/s/main.c", true},
        {"empty name, blanks inside", "", "/s/my file .c", true},
        {"tab inside, blanks at the end", "a\tb  ", "/s/x.h", true},
        {"name with a leading blank", " Demo", "/s/main.c", false},
        {"name with a leading tab", "\tDemo", "/s/main.c", false},
        {"path with LF", "Demo", "/s/a\nb.c", false},
        {"path with CR", "Demo", "/s/a\rb.c", false},
        {"path with NUL", "Demo", std::string("/s/a\0b.c", 8), false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.Write("p.prj", "old\r\n");
        ProjectTree tree;
        tamble::AddFileToProject(tree, tree.AddProject(c.project), c.file);
        EXPECT_EQ(tamble::SaveProjectFile(path, tree), c.saved) << c.name;
        EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"p.prj"}) << c.name;
        if (!c.saved) {
            EXPECT_EQ(folder.Read("p.prj"), "old\r\n") << c.name;
            continue;
        }
        ProjectTree back;
        EXPECT_EQ(tamble::LoadProjectFile(path, back).kind, ProjectReadError::None) << c.name;
        EXPECT_EQ(back, tree) << c.name;
    }
}

TEST(ProjectFile, DeepAndLongInputsStayLinear) {
    std::string bytes;
    constexpr int kDepth = 3000; // 4.5 MB of tabs
    for (int level = 0; level < kDepth; ++level)
        bytes += std::string(static_cast<size_t>(level), '\t') + "n\r\n";
    bytes += std::string(1 << 20, 'x');
    ProjectTree tree;
    ASSERT_EQ(tamble::ParseProjectText(bytes, tree).kind, ProjectReadError::None);
    ASSERT_EQ(tree.Count(), kDepth + 1);
    EXPECT_EQ(tree.At(kDepth - 1).level, kDepth - 1);
    EXPECT_EQ(tree.At(kDepth).text.size(), 1u << 20);
    EXPECT_EQ(tree.SubtreeEnd(0), kDepth);
}

} // namespace
