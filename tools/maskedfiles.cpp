#include "maskedfiles.h"

#include "direntries.h"
#include "pathstyle.h"
#include "strmask.h"

namespace tamble {
namespace {

// The folder search mask that lists every entry.
constexpr const char* kEveryEntry = "*.*";

bool IsDotEntry(const std::string& name) {
    return name == "." || name == "..";
}

bool Matches(const std::string& name, const std::string& masks) {
    return MaskMatchList(name.c_str(), masks.c_str()) != 0;
}

} // namespace

void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, std::vector<std::string>& result) {
    // The entries are read first and the folder closed before any subfolder
    // is entered, so a deep tree holds one open folder at a time instead of
    // one per level.
    std::vector<platform::DirEntry> entries;
    platform::EnumerateFolder(folder, kEveryEntry, false,
                              [&entries](const platform::DirEntry& entry) {
                                  if (!IsDotEntry(entry.name)) entries.push_back(entry);
                                  return true;
                              });
    const platform::PathStyle style = platform::NativePathStyle();
    for (const platform::DirEntry& entry : entries) {
        if ((entry.attributes & platform::kAttrDirectory) != 0) {
            if (options.outOfFolderPattern && Matches(entry.name, options.folderPattern)) continue;
            if (!options.findSubFolders) continue;
            if ((entry.attributes & platform::kAttrReparsePoint) != 0) continue; // a link out
            CollectMaskedFiles(platform::JoinPath(style, folder, entry.name), masks, options,
                               result);
        } else {
            if (options.outOfFilePattern && Matches(entry.name, options.filePattern)) continue;
            if (Matches(entry.name, masks))
                result.push_back(platform::JoinPath(style, folder, entry.name));
        }
    }
}

} // namespace tamble
