// The folder tree's rules, apart from any widget: which nodes a folder gets
// and in which order, when a node still needs listing, the path of a node,
// and the walk that turns a typed path into a node. Texts are CP932 bytes.
//
// Level 0 holds the drives; below them every node is one folder named by
// its bare name. A folder with subfolders that has not been listed yet has
// exactly one child, the placeholder, which only gives it an expand button.
#pragma once

#include "platform/paths.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
struct Drive;
}

namespace tamble {

// The placeholder child's text.
[[nodiscard]] const std::string& PlaceholderText();

// A drive node's text: its root, then a blank and its display name when it
// has one ("/home/me me", "/").
[[nodiscard]] std::string DriveNodeText(const platform::Drive& drive);

// One child of a listed folder.
struct SubFolder {
    std::string name;
    bool hasSubFolders = false; // gets the placeholder, so it shows an expand button
    // False when the look at the child's entries ended before it could
    // tell; hasSubFolders is then true until a full look says otherwise.
    bool settled = true;
};

// Entries a look into each child may take when listing, when not all.
inline constexpr size_t kAllEntriesPerLook = SIZE_MAX;

// The subfolders of folder in display order (nameorder.h); none when the
// folder cannot be read. Whether each has subfolders of its own is told by
// at most entriesPerLook of its entries: a folder of many files beside the
// one the user opens must not hold the tree up.
[[nodiscard]] std::vector<SubFolder> ListSubFolderNodes(const std::string& folder,
                                                        size_t entriesPerLook = kAllEntriesPerLook);

// True when a node must be listed on expansion: it has no child, or its
// first child is the placeholder (compared without regard to case).
[[nodiscard]] bool NeedsListing(int childCount, const std::string& firstChildText);

// The folder a node stands for: the drive's root, then the names of the
// nodes below the drive down to the node. ("D:", {"Work", "Tools"}) ->
// "D:\Work\Tools"; ("/", {"usr"}) -> "/usr"; no path ends with a separator.
[[nodiscard]] std::string NodePath(platform::PathStyle style, const std::string& driveRoot,
                                   const std::vector<std::string>& names);

// What the walk of NavigateToPath needs from a tree. Node is whatever the
// tree uses to name its nodes; null is none.
class FolderTreeNodes {
public:
    using Node = void*;
    virtual ~FolderTreeNodes() = default;
    [[nodiscard]] virtual std::vector<Node> Drives() = 0;
    [[nodiscard]] virtual std::string DriveRoot(Node drive) = 0;
    [[nodiscard]] virtual std::vector<Node> Children(Node node) = 0;
    [[nodiscard]] virtual std::string Name(Node node) = 0;
    // Lists the folder's subfolders afresh (below the drive level only).
    virtual void Open(Node node) = 0;
    virtual void Expand(Node node) = 0;
};

// Walks tree along path and returns the deepest node it matched, or null
// when no drive matches. The drive is the one whose root has the most
// leading components in common with path; each further component matches
// a child by name, an exact match first, else one that differs only in
// ASCII letter case. Every matched folder below the drive level is opened
// (so it shows its current subfolders) and every matched node expanded.
// Doubled and trailing separators do not count; a component that matches
// nothing ends the walk there. The empty path gives the first drive.
[[nodiscard]] FolderTreeNodes::Node WalkToPath(FolderTreeNodes& tree, platform::PathStyle style,
                                               const std::string& path);

} // namespace tamble
