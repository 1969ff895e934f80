#include "tools/maskedfiles.h"

#include "platform/codepage.h"
#include "textlib/strmask.h"

#include <optional>

namespace tamble {
namespace {

bool Matches(const std::string& name, const std::string& masks) {
    return MaskMatchList(name.c_str(), masks.c_str()) != 0;
}

} // namespace

void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, MaskedFiles& result) {
    // The walk sees the file system's names; masks see code page 932 texts.
    platform::WalkVisitor visitor;
    visitor.entryFound = options.entryFound;
    visitor.enterFolder = [&options](const std::string& name) {
        if (options.outOfFolderPattern &&
            Matches(platform::Utf8ToCp932(name), options.folderPattern))
            return false;
        return options.findSubFolders;
    };
    visitor.keepFile = [&options, &masks](const std::string& name) {
        const std::string text = platform::Utf8ToCp932(name);
        if (options.outOfFilePattern && Matches(text, options.filePattern)) return false;
        return Matches(text, masks);
    };
    result = {};
    // A text with bytes that name no character would read as U+FFFD and
    // could name another folder than the one shown: that one is not searched.
    const std::optional<std::string> start = platform::FileSystemName(folder);
    if (!start) {
        result.unreadableFolders.push_back(folder);
        return;
    }
    platform::WalkTree(*start, visitor, result.found);
    for (const std::string& path : result.found.unreadableFolders)
        result.unreadableFolders.push_back(platform::Utf8ToCp932(path));
}

std::vector<std::string> FoundPaths(const MaskedFiles& files) {
    std::vector<std::string> paths;
    paths.reserve(files.found.files.size());
    for (const platform::FoundFile& file : files.found.files)
        paths.push_back(platform::Utf8ToCp932(files.found.PathOf(file)));
    return paths;
}

void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, std::vector<std::string>& result) {
    MaskedFiles found;
    CollectMaskedFiles(folder, masks, options, found);
    const std::vector<std::string> paths = FoundPaths(found);
    result.insert(result.end(), paths.begin(), paths.end());
}

} // namespace tamble
