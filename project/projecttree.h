// TreeView2: the project model, a forest of text nodes held in depth-first
// order. Position k is the k-th node of a walk that visits a node before
// its children and children in order; the display tree mirrors the model
// node for node at the same positions. Levels: 0 project (its name),
// 1 category, 2 file (its full path). Texts are CP932 bytes.
#pragma once

#include <string>
#include <vector>

namespace tamble {

// The three categories of every project, by position under the project.
inline constexpr int kSourceFiles = 0;
inline constexpr int kHeaderFiles = 1;
inline constexpr int kOtherFiles = 2;
inline constexpr const char* kCategoryNames[] = {"Source Files", "Header Files", "Other Files"};

class ProjectTree {
public:
    struct Node {
        int level = 0;
        std::string text;
        bool operator==(const Node&) const = default;
    };

    [[nodiscard]] int Count() const { return static_cast<int>(nodes_.size()); }
    [[nodiscard]] bool Empty() const { return nodes_.empty(); }
    // Node at position (0 <= position < Count()).
    [[nodiscard]] const Node& At(int position) const { return nodes_.at(position); }
    [[nodiscard]] const std::vector<Node>& Nodes() const { return nodes_; }

    // Position just after the last descendant of position.
    [[nodiscard]] int SubtreeEnd(int position) const;
    // Position of the top-level node whose branch holds position.
    [[nodiscard]] int ProjectOf(int position) const;
    // Position of the index-th child of parent, or -1 when it has fewer children.
    [[nodiscard]] int ChildAt(int parent, int index) const;

    void Clear() { nodes_.clear(); }
    // Appends a node after everything; its level must be at most one more
    // than the last node's (0 for the first). Returns its position.
    int Append(int level, std::string text);
    // Adds text as the last child of parent; returns its position.
    int AddChild(int parent, std::string text);
    // Removes position and everything below it.
    void Remove(int position);

    // Appends a project named name with its three categories; returns the
    // project's position.
    int AddProject(std::string name);

    bool operator==(const ProjectTree&) const = default;

private:
    std::vector<Node> nodes_;
};

// Result of AddFileToProject: the new file's position, or -1 when the
// project lacks the category the file needs (then category names it).
struct AddFileResult {
    int position = -1;
    int category = kOtherFiles;
};

// Adds path as the last file of the category CategoryOf(path) of the
// project at position project.
AddFileResult AddFileToProject(ProjectTree& tree, int project, const std::string& path);

} // namespace tamble
