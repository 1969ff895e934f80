// The project file codec. Two properties:
//  - whatever bytes are read, the tree they give is written and read back
//    as the same tree (also through a saved file);
//  - a tree built from the input is either refused by the save or read
//    back from the saved file exactly; a tree whose texts hold no line
//    break and start with no blank or tab is always read back exactly.
// Input: a first byte whose lowest bit picks the property; for the first,
// the rest are the file's bytes; for the second, the rest are nodes
// separated by NUL, each a level byte ("0" to "3", any byte modulo 4; held
// to one deeper than the node before) and the node's text.
#include "fuzz/fuzzsupport.h"
#include "project/projectfile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tamble::ProjectReadError;
using tamble::ProjectTree;

std::string Shown(const ProjectTree& tree) {
    std::string shown;
    for (const ProjectTree::Node& node : tree.Nodes())
        shown += std::to_string(node.level) + ":[" + fuzz::Shown(node.text) + "] ";
    return shown;
}

void CheckSavedFileReadsBack(const ProjectTree& tree) {
    const std::string path = fuzz::ScratchFolder() + "/roundtrip.prj";
    if (!tamble::SaveProjectFile(path, tree)) return; // refused: nothing unreadable was written
    ProjectTree loaded;
    const ProjectReadError error = tamble::LoadProjectFile(path, loaded);
    fuzz::Check(error.kind == ProjectReadError::None,
                "a saved project file cannot be read back (error " + std::to_string(error.kind) +
                    "): " + Shown(tree));
    fuzz::Check(loaded == tree, "the saved tree " + Shown(tree) + "reads back as " + Shown(loaded));
}

void CheckReadTreeRoundTrips(const std::string& bytes) {
    ProjectTree tree;
    (void)tamble::ParseProjectText(bytes, tree); // on a level jump, the lines before it
    const std::string text = tamble::FormatProjectText(tree);
    ProjectTree again;
    const ProjectReadError error = tamble::ParseProjectText(text, again);
    fuzz::Check(error.kind == ProjectReadError::None && again == tree,
                "the tree " + Shown(tree) + "written as [" + fuzz::Shown(text) + "] reads as " +
                    Shown(again));
    CheckSavedFileReadsBack(tree);
}

// A text that the reader gives back as it is.
bool Readable(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos &&
           (text.empty() || (text[0] != ' ' && text[0] != '\t'));
}

void CheckBuiltTreeRoundTrips(const std::vector<std::string>& nodes) {
    ProjectTree tree;
    bool readable = true;
    int last = -1;
    for (const std::string& node : nodes) {
        if (node.empty()) continue;
        const int level = std::min(static_cast<unsigned char>(node[0]) % 4, last + 1);
        last = level;
        tree.Append(level, node.substr(1));
        readable = readable && Readable(node.substr(1));
    }
    if (readable) {
        const std::string text = tamble::FormatProjectText(tree);
        ProjectTree again;
        const ProjectReadError error = tamble::ParseProjectText(text, again);
        fuzz::Check(error.kind == ProjectReadError::None && again == tree,
                    "the tree " + Shown(tree) + "written as [" + fuzz::Shown(text) + "] reads as " +
                        Shown(again));
    }
    CheckSavedFileReadsBack(tree);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view rest = fuzz::AsText(data + 1, size - 1);
    if (data[0] & 1) {
        CheckBuiltTreeRoundTrips(fuzz::SplitAtNul(rest));
    } else {
        CheckReadTreeRoundTrips(std::string(rest));
    }
    return 0;
}
