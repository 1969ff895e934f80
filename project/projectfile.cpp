#include "project/projectfile.h"

#include "platform/codepage.h"
#include "textlib/textfile.h"

#include <algorithm>
#include <string_view>

namespace tamble {
namespace {

using platform::Cp932;

// Calls line(text) for every line of bytes as the header describes.
template <typename LineFunction> void ForEachLine(std::string_view bytes, LineFunction line) {
    bytes = bytes.substr(0, bytes.find('\0'));
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(bytes.substr(start));
            return;
        }
        if (!line(bytes.substr(start, end - start))) return;
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
}

} // namespace

std::string FormatProjectText(const ProjectTree& tree) {
    std::string text;
    for (const ProjectTree::Node& node : tree.Nodes()) {
        text.append(static_cast<size_t>(node.level), '\t');
        text += node.text;
        text += '\n';
    }
    return text;
}

ProjectReadError ParseProjectText(const std::string& bytes, ProjectTree& tree) {
    tree.Clear();
    ProjectReadError error;
    ForEachLine(bytes, [&](std::string_view line) {
        const size_t indent = std::min(line.find_first_not_of("\t "), line.size());
        const int depth = static_cast<int>(indent);
        std::string text(line.substr(indent));
        if (tree.Empty()) {
            tree.Append(0, std::move(text));
        } else if (depth > tree.At(tree.Count() - 1).level + 1) {
            error = {ProjectReadError::LevelJump, depth, std::move(text)};
            return false;
        } else {
            // Going up to the first ancestor at most that deep and adding a
            // sibling of it places the node exactly at level depth.
            tree.Append(depth, std::move(text));
        }
        return true;
    });
    return error;
}

ProjectReadError LoadProjectFile(const std::string& path, ProjectTree& tree) {
    std::string text;
    if (!ReadTextFile(path.c_str(), text)) return {ProjectReadError::CannotOpen, 0, {}};
    // The reader has turned each CR LF into "\n". Turning every "\n" back
    // into CR LF keeps CR CR LF two line ends (a lone CR, then CR LF), as
    // the bytes on disk were.
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    ProjectTree fresh;
    ProjectReadError error = ParseProjectText(bytes, fresh);
    if (error.kind == ProjectReadError::None) tree = std::move(fresh);
    return error;
}

ProjectTextFault FindProjectTextFault(std::string_view text) {
    if (!IsOneLineText(text)) return ProjectTextFault::LineBreak;
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        return ProjectTextFault::LeadingBlank;
    return ProjectTextFault::None;
}

bool SaveProjectFile(const std::string& path, const ProjectTree& tree) {
    // The texts are refused where they come in; this is the last guard
    // against writing a file that would read back as another tree.
    for (const ProjectTree::Node& node : tree.Nodes()) {
        if (FindProjectTextFault(node.text) != ProjectTextFault::None) return false;
    }
    return WriteTextFileAtomically(path.c_str(), FormatProjectText(tree));
}

std::string ReadErrorMessage(const ProjectReadError& error, const std::string& path) {
    if (error.kind == ProjectReadError::CannotOpen)
        return Cp932("ファイル ") + path + Cp932(" は開けません");
    if (error.kind == ProjectReadError::LevelJump)
        return Cp932("アイテム \"") + error.text + Cp932("\" の階層 (") +
               std::to_string(error.depth) + Cp932(") が不正です");
    return {};
}

std::string SaveErrorMessage(const std::string& path) {
    return Cp932("ファイル ") + path + Cp932(" を作成できません");
}

std::string ProjectNameFaultMessage(ProjectTextFault fault) {
    if (fault == ProjectTextFault::LineBreak) return Cp932("プロジェクト名に改行は使えません");
    return Cp932("プロジェクト名を空白やタブで始めることはできません");
}

std::string RefusedFilesMessage(const std::vector<std::string>& paths) {
    std::string message = Cp932("次のファイルは名前に改行を含むか空白やタブで始まるので、"
                                "プロジェクトに追加できません:");
    for (const std::string& path : paths)
        message += "\n" + Cp932("「") + path + Cp932("」");
    return message;
}

} // namespace tamble
