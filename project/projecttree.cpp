#include "project/projecttree.h"

#include "project/projectnames.h"

#include <cassert>

namespace tamble {

int ProjectTree::SubtreeEnd(int position) const {
    const int level = At(position).level;
    int end = position + 1;
    while (end < Count() && nodes_[end].level > level)
        ++end;
    return end;
}

int ProjectTree::ProjectOf(int position) const {
    while (position > 0 && At(position).level > 0)
        --position;
    return position;
}

int ProjectTree::ChildAt(int parent, int index) const {
    const int childLevel = At(parent).level + 1;
    const int end = SubtreeEnd(parent);
    for (int k = parent + 1; k < end; ++k) {
        if (nodes_[k].level == childLevel && index-- == 0) return k;
    }
    return -1;
}

int ProjectTree::Append(int level, std::string text) {
    assert(level >= 0 && level <= (Empty() ? 0 : nodes_.back().level + 1));
    nodes_.push_back({level, std::move(text)});
    return Count() - 1;
}

int ProjectTree::AddChild(int parent, std::string text) {
    const int position = SubtreeEnd(parent);
    nodes_.insert(nodes_.begin() + position, Node{At(parent).level + 1, std::move(text)});
    return position;
}

void ProjectTree::Remove(int position) {
    nodes_.erase(nodes_.begin() + position, nodes_.begin() + SubtreeEnd(position));
}

int ProjectTree::AddProject(std::string name) {
    const int project = Append(0, std::move(name));
    for (const char* category : kCategoryNames)
        Append(1, category);
    return project;
}

AddFileResult AddFileToProject(ProjectTree& tree, int project, const std::string& path) {
    AddFileResult result;
    result.category = CategoryOf(path);
    const int category = tree.ChildAt(project, result.category);
    if (category >= 0) result.position = tree.AddChild(category, path);
    return result;
}

} // namespace tamble
