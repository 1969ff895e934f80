#include "platform/paths.h"

#include "textlib/strbasic.h"

namespace platform {
namespace {

// Positions of the separators of path that are whole characters.
std::vector<size_t> SeparatorPositions(PathStyle style, std::string_view path) {
    std::vector<size_t> positions;
    const char separator = Separator(style);
    for (size_t i = 0; i < path.size(); ++i) {
        if (style == PathStyle::Windows && IsLeadByte(path[i]) && i + 1 < path.size()) {
            ++i; // the trail byte may look like '\'
        } else if (path[i] == separator) {
            positions.push_back(i);
        }
    }
    return positions;
}

} // namespace

PathStyle NativePathStyle() {
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

char Separator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

std::string JoinPath(PathStyle style, std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != Separator(style) || style == PathStyle::Windows)
        path.push_back(Separator(style));
    path.append(name);
    return path;
}

std::vector<std::string> PathComponents(PathStyle style, std::string_view path) {
    std::vector<std::string> parts;
    if (style == PathStyle::Posix && !path.empty() && path.front() == '/') parts.emplace_back("/");
    size_t start = 0;
    for (size_t end : SeparatorPositions(style, path)) {
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (start < path.size()) parts.emplace_back(path.substr(start));
    return parts;
}

std::string ParentPath(PathStyle style, std::string_view path) {
    const std::vector<std::string> parts = PathComponents(style, path);
    if (parts.empty()) return std::string(path);
    std::string parent = parts.front();
    for (size_t i = 1; i + 1 < parts.size(); ++i)
        parent = JoinPath(style, parent, parts[i]);
    return parent;
}

std::string BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirName(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string ReplaceExtension(std::string_view name, std::string_view extension) {
    const size_t dot = name.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
    return std::string(stem) + std::string(extension);
}

} // namespace platform
