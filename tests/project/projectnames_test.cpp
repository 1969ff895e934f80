#include "projectnames.h"
#include "projecttree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "ソ" and "表" in CP932: their second byte is 0x5C, a backslash.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";

TEST(ProjectNames, CategoryByExtension) {
    const struct {
        std::string path;
        int category;
    } cases[] = {
        {"D:\\src\\Main.CPP", tamble::kSourceFiles},
        {"D:\\src\\a.c", tamble::kSourceFiles},
        {"/home/u/a.C", tamble::kSourceFiles},
        {"D:\\src\\a.h", tamble::kHeaderFiles},
        {"main.hpp", tamble::kOtherFiles},
        {"x.cxx", tamble::kOtherFiles},
        {"x.rc", tamble::kOtherFiles},
        {"D:\\src\\Makefile", tamble::kOtherFiles},
        {"D:\\x.dir\\readme", tamble::kOtherFiles},
        {"/home/x.dir/readme", tamble::kOtherFiles},
        {"C:x.c", tamble::kSourceFiles},
        {"a.c.txt", tamble::kOtherFiles},
        {"a.txt.h", tamble::kHeaderFiles},
        {"a.", tamble::kOtherFiles},
        {"", tamble::kOtherFiles},
        // The trail byte 0x5C is not a delimiter, so the dot still counts.
        {"D:\\x.d" + kSo + ".c", tamble::kSourceFiles},
        {"D:\\" + kHyo + ".h", tamble::kHeaderFiles},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::CategoryOf(c.path), c.category) << c.path;
}

TEST(ProjectNames, DisplayNameByMode) {
    const struct {
        std::string text;
        std::string shortName;
    } cases[] = {
        {"D:\\src\\main.c", "main.c"},
        {"/home/u/my file.txt", "my file.txt"},
        {"a\\b", "b"},
        {"C:readme", "readme"},
        {"Demo", "Demo"},
        {"Source Files", "Source Files"},
        {"dir\\", ""},
        {"", ""},
        {"D:\\" + kHyo + kSo, kHyo + kSo},
        {kSo + "x", kSo + "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamble::DisplayName(c.text, true), c.shortName) << c.text;
        EXPECT_EQ(tamble::DisplayName(c.text, false), c.text) << c.text;
    }
}

TEST(ProjectTree, FilesGoToTheirCategoryAndDeleteTakesTheBranch) {
    tamble::ProjectTree tree;
    const int first = tree.AddProject("one");
    const int second = tree.AddProject("two");
    EXPECT_EQ(second, 4);
    EXPECT_EQ(tamble::AddFileToProject(tree, second, "/a/x.h").position, 7);
    EXPECT_EQ(tamble::AddFileToProject(tree, second, "/a/y.c").position, 6);
    EXPECT_EQ(tamble::AddFileToProject(tree, first, "/a/z.txt").position, 4);
    EXPECT_EQ(tamble::AddFileToProject(tree, first, "/a/w.txt").position, 5);
    const std::vector<tamble::ProjectTree::Node> expected = {
        {0, "one"},      {1, "Source Files"}, {1, "Header Files"}, {1, "Other Files"},
        {2, "/a/z.txt"}, {2, "/a/w.txt"},     {0, "two"},          {1, "Source Files"},
        {2, "/a/y.c"},   {1, "Header Files"}, {2, "/a/x.h"},       {1, "Other Files"}};
    EXPECT_EQ(tree.Nodes(), expected);
    EXPECT_EQ(tree.ProjectOf(10), 6);
    EXPECT_EQ(tree.ProjectOf(3), 0);

    tree.Remove(0);
    EXPECT_EQ(tree.Count(), 6);
    EXPECT_EQ(tree.At(0).text, "two");
}

TEST(ProjectTree, MissingCategoryRefusesTheFile) {
    tamble::ProjectTree tree;
    tree.Append(0, "edited");
    tree.Append(1, "Source Files");
    EXPECT_EQ(tamble::AddFileToProject(tree, 0, "/a/b.c").position, 2);
    const tamble::AddFileResult refused = tamble::AddFileToProject(tree, 0, "/a/b.h");
    EXPECT_EQ(refused.position, -1);
    EXPECT_EQ(refused.category, tamble::kHeaderFiles);
    EXPECT_EQ(tree.Count(), 3);
}

} // namespace
