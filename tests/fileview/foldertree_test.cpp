#include "fileview/foldertree.h"
#include "platform/codepage.h"
#include "platform/direntries.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using platform::PathStyle;
using Strings = std::vector<std::string>;

// A tree in memory: drives with their roots, folders by name.
struct FakeNode {
    std::string name;
    FakeNode* parent = nullptr;
    std::vector<std::unique_ptr<FakeNode>> children;

    FakeNode* Add(const std::string& childName) {
        children.push_back(std::make_unique<FakeNode>(FakeNode{childName, this, {}}));
        return children.back().get();
    }
};

class FakeTree : public tamble::FolderTreeNodes {
public:
    FakeNode root;
    Strings log; // Open and Expand calls, by node path

    std::vector<Node> Drives() override { return Children(&root); }
    std::string DriveRoot(Node drive) override { return Of(drive)->name; }
    std::vector<Node> Children(Node node) override {
        std::vector<Node> nodes;
        for (auto& child : Of(node)->children)
            nodes.push_back(child.get());
        return nodes;
    }
    std::string Name(Node node) override { return Of(node)->name; }
    void Open(Node node) override { log.push_back("open " + PathOf(node)); }
    void Expand(Node node) override { log.push_back("expand " + PathOf(node)); }

    static FakeNode* Of(Node node) { return static_cast<FakeNode*>(node); }
    std::string PathOf(Node node) {
        std::string path;
        for (FakeNode* at = Of(node); at != &root; at = at->parent)
            path = at->name + (path.empty() ? "" : "|" + path);
        return path;
    }
};

TEST(FolderTreeWalk, WindowsPaths) {
    FakeTree tree;
    tree.root.Add("C:");
    FakeNode* d = tree.root.Add("D:");
    FakeNode* work = d->Add("Work");
    work->Add("Tools");
    d->Add("work2");
    const struct {
        const char* name;
        const char* path;
        const char* selected; // "" for none
        Strings log;
    } cases[] = {
        {"letters without regard to case",
         "d:\\work",
         "D:|Work",
         {"expand D:", "open D:|Work", "expand D:|Work"}},
        {"drive with separator", "D:\\", "D:", {"expand D:"}},
        {"drive alone", "D:", "D:", {"expand D:"}},
        {"doubled and trailing separators",
         "D:\\\\Work\\Tools\\\\",
         "D:|Work|Tools",
         {"expand D:", "open D:|Work", "expand D:|Work", "open D:|Work|Tools",
          "expand D:|Work|Tools"}},
        {"missing component stops at the deepest match",
         "D:\\Work\\Gone\\Tools",
         "D:|Work",
         {"expand D:", "open D:|Work", "expand D:|Work"}},
        {"empty path gives the first drive", "", "C:", {}},
        {"unknown drive", "Q:\\Work", "", {}},
    };
    for (const auto& c : cases) {
        tree.log.clear();
        const auto node = tamble::WalkToPath(tree, PathStyle::Windows, c.path);
        EXPECT_EQ(node != nullptr ? tree.PathOf(node) : "", c.selected) << c.name;
        EXPECT_EQ(tree.log, c.log) << c.name;
    }
}

TEST(FolderTreeWalk, PosixPathsPreferTheLongestDriveAndExactNames) {
    FakeTree tree;
    FakeNode* root = tree.root.Add("/");
    root->Add("home")->Add("me");
    FakeNode* home = tree.root.Add("/home/me");
    home->Add("SRC");
    home->Add("src");
    home->Add("Docs");
    const struct {
        const char* path;
        const char* selected;
    } cases[] = {
        {"/home/me/src", "/home/me|src"},
        {"/home/me/SRC/", "/home/me|SRC"},
        {"/home/me/docs", "/home/me|Docs"},
        {"//home//me", "/home/me"},
        {"/home", "/|home"},
        {"/", "/"},
        {"relative/path", ""},
    };
    for (const auto& c : cases) {
        const auto node = tamble::WalkToPath(tree, PathStyle::Posix, c.path);
        EXPECT_EQ(node != nullptr ? tree.PathOf(node) : "", c.selected) << c.path;
    }
}

TEST(FolderTree, NodePathInBothStyles) {
    EXPECT_EQ(tamble::NodePath(PathStyle::Windows, "D:", {}), "D:");
    EXPECT_EQ(tamble::NodePath(PathStyle::Windows, "D:", {"Work", "Tools"}), "D:\\Work\\Tools");
    EXPECT_EQ(tamble::NodePath(PathStyle::Posix, "/", {}), "/");
    EXPECT_EQ(tamble::NodePath(PathStyle::Posix, "/", {"usr", "lib"}), "/usr/lib");
    EXPECT_EQ(tamble::NodePath(PathStyle::Posix, "/home/me", {"src"}), "/home/me/src");
}

TEST(FolderTree, PlaceholderRuleAndDriveText) {
    const std::string placeholder = platform::Utf8ToCp932("まだ開いてないっすよー");
    EXPECT_EQ(tamble::PlaceholderText(), placeholder);
    EXPECT_TRUE(tamble::NeedsListing(0, ""));
    EXPECT_TRUE(tamble::NeedsListing(1, placeholder));
    EXPECT_FALSE(tamble::NeedsListing(1, "src"));
    EXPECT_FALSE(tamble::NeedsListing(2, "src"));
    EXPECT_EQ(tamble::DriveNodeText({"/", ""}), "/");
    EXPECT_EQ(tamble::DriveNodeText({"/media/me/USB STICK", "USB STICK"}),
              "/media/me/USB STICK USB STICK");
}

TEST(FolderTree, SubFoldersInDisplayOrderWithTheirExpandMark) {
    TempFolder folder;
    namespace fs = std::filesystem;
    for (const char* name : {"beta/x", "Alpha", "alpha2", "Gamma/y/z", ".config"})
        fs::create_directories(folder.File(name));
    folder.Write("file.txt", "");
    const std::vector<tamble::SubFolder> folders = tamble::ListSubFolderNodes(folder.Path());
    Strings shown;
    for (const auto& sub : folders)
        shown.push_back(sub.name + (sub.hasSubFolders ? "+" : ""));
    EXPECT_EQ(shown, (Strings{".config", "Alpha", "alpha2", "beta+", "Gamma+"}));
    EXPECT_TRUE(tamble::ListSubFolderNodes(folder.File("missing")).empty());
}

TEST(FolderTree, ABoundedLookLeavesAFolderOfManyFilesUnsettled) {
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories(folder.File("few"));
    folder.Write("few/one.c", "");
    fs::create_directories(folder.File("many"));
    for (const char* name : {"a", "b", "c", "d", "e"})
        folder.Write(std::string("many/") + name, "");
    fs::create_directories(folder.File("nested/only"));
    Strings shown;
    for (const auto& sub : tamble::ListSubFolderNodes(folder.Path(), 3))
        shown.push_back(sub.name + (sub.hasSubFolders ? "+" : "") + (sub.settled ? "" : "?"));
    // Undecided offers to expand; decided within the bound, it is exact.
    EXPECT_EQ(shown, (Strings{"few", "many+?", "nested+"}));
}

} // namespace
