#include "pathnames.h"

namespace platform {

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
