#include "fileview/foldertree.h"

#include "fileview/folderlisting.h"
#include "fileview/nameorder.h"
#include "platform/codepage.h"
#include "platform/direntries.h"
#include "textlib/strcompare.h"

#include <algorithm>

namespace tamble {
namespace {

int AddSubFolderName(const ListFolderContext& context) {
    context.list->Add(context.entry->name.c_str());
    return kListContinue;
}

bool SameName(const std::string& a, const std::string& b) {
    return StrCompareNoCase(a.c_str(), b.c_str()) == 0;
}

// How many leading components of path the drive's root accounts for; 0
// when the root is not a prefix of path.
size_t DriveMatchLength(platform::PathStyle style, const std::string& root,
                        const std::vector<std::string>& path) {
    const std::vector<std::string> rootParts = platform::PathComponents(style, root);
    if (rootParts.empty() || rootParts.size() > path.size()) return 0;
    for (size_t i = 0; i < rootParts.size(); ++i) {
        if (!SameName(rootParts[i], path[i])) return 0;
    }
    return rootParts.size();
}

FolderTreeNodes::Node FindChild(FolderTreeNodes& tree, FolderTreeNodes::Node parent,
                                const std::string& name) {
    FolderTreeNodes::Node folded = nullptr;
    for (FolderTreeNodes::Node child : tree.Children(parent)) {
        const std::string childName = tree.Name(child);
        if (childName == name) return child;
        if (folded == nullptr && SameName(childName, name)) folded = child;
    }
    return folded;
}

} // namespace

const std::string& PlaceholderText() {
    static const std::string text = platform::Utf8ToCp932("まだ開いてないっすよー");
    return text;
}

std::string DriveNodeText(const platform::Drive& drive) {
    return drive.displayName.empty() ? drive.root : drive.root + " " + drive.displayName;
}

std::vector<SubFolder> ListSubFolderNodes(const std::string& folder, size_t entriesPerLook) {
    CCLStringListBase lines;
    const int count =
        ListFolder(&lines, folder.c_str(), "*", platform::kAttrDirectory, AddSubFolderName, 0);
    std::vector<SubFolder> folders;
    folders.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* text = lines.Text(i);
        SubFolder child{text != nullptr ? text : "", false, true};
        const std::string path =
            platform::JoinPath(platform::NativePathStyle(), folder, child.name);
        size_t seen = 0;
        const SubFolderLook look = LookForSubFolder(
            path.c_str(), [&seen, entriesPerLook] { return seen++ < entriesPerLook; });
        child.hasSubFolders = look != SubFolderLook::None;
        child.settled = look != SubFolderLook::Undecided;
        folders.push_back(std::move(child));
    }
    std::sort(folders.begin(), folders.end(),
              [](const SubFolder& a, const SubFolder& b) { return NameLess(a.name, b.name); });
    return folders;
}

bool NeedsListing(int childCount, const std::string& firstChildText) {
    return childCount == 0 || SameName(firstChildText, PlaceholderText());
}

std::string NodePath(platform::PathStyle style, const std::string& driveRoot,
                     const std::vector<std::string>& names) {
    std::string path = driveRoot;
    for (const std::string& name : names)
        path = platform::JoinPath(style, path, name);
    return path;
}

FolderTreeNodes::Node WalkToPath(FolderTreeNodes& tree, platform::PathStyle style,
                                 const std::string& path) {
    const std::vector<FolderTreeNodes::Node> drives = tree.Drives();
    if (drives.empty()) return nullptr;
    const std::vector<std::string> parts = platform::PathComponents(style, path);
    if (parts.empty()) return drives.front();

    FolderTreeNodes::Node node = nullptr;
    size_t matched = 0;
    for (FolderTreeNodes::Node drive : drives) {
        const size_t length = DriveMatchLength(style, tree.DriveRoot(drive), parts);
        if (length > matched) {
            matched = length;
            node = drive;
        }
    }
    if (node == nullptr) return nullptr;
    tree.Expand(node);
    for (size_t i = matched; i < parts.size(); ++i) {
        FolderTreeNodes::Node child = FindChild(tree, node, parts[i]);
        if (child == nullptr) break;
        node = child;
        tree.Open(node);
        tree.Expand(node);
    }
    return node;
}

} // namespace tamble
