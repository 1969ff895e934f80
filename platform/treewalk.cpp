#include "platform/treewalk.h"
#include "platform/paths.h"

namespace platform {
namespace {

// Whether path already ends with a separator, as a drive root ("C:\") or
// the POSIX root may; Windows takes '/' as a separator too.
bool EndsWithSeparator(const std::string& path) {
    if (path.empty()) return false;
    const PathStyle style = NativePathStyle();
    return path.back() == Separator(style) || (style == PathStyle::Windows && path.back() == '/');
}

void Append(std::string& path, const std::string& name) {
    if (!path.empty() && !EndsWithSeparator(path)) path += Separator(NativePathStyle());
    path += name;
}

} // namespace

std::string FoundEntries::FolderPath(size_t index) const {
    std::vector<const std::string*> names;
    for (size_t at = index; at != kNoFolder; at = folders[at].parent)
        names.push_back(&folders[at].name);
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        Append(path, **it);
    return path;
}

std::string FoundEntries::PathOf(const FoundFile& file) const {
    std::string path = FolderPath(file.folder);
    Append(path, file.name);
    return path;
}

} // namespace platform
