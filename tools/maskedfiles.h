// The search of the delete-by-mask tool: every file below a folder whose
// name matches a mask list, with optional exclusions. Texts are code page
// 932; paths are in the native form (pathstyle.h).
#pragma once

#include "platform/treewalk.h"

#include <functional>
#include <string>
#include <vector>

namespace tamble {

// The dialog's choices that steer the search. Patterns are mask lists as
// MaskMatchList reads them: "bin;obj", "*.bak;~*".
struct MaskedFileOptions {
    bool findSubFolders = false;   // enter subfolders
    bool outOfFilePattern = false; // spare files matching filePattern
    std::string filePattern;
    bool outOfFolderPattern = false; // neither enter nor empty folders matching folderPattern
    std::string folderPattern;
    // Test hook: called with each entry's file system path once the search
    // has found it, before it enters or keeps it.
    std::function<void(const std::string& path)> entryFound;
};

// What a search found.
struct MaskedFiles {
    // The files (native file system form), in the order found; what
    // platform::DeleteFound deletes, each only while it is still the file
    // found here.
    platform::FoundEntries found;
    // Folders that could not be searched (unreadable, or replaced while the
    // search ran), code page 932; the start folder itself when it cannot
    // be opened, or when its text holds a byte that starts no character.
    std::vector<std::string> unreadableFolders;
};

// Finds every file of folder whose bare name matches masks (MaskMatchList:
// "*.*" spares names without a dot, "*" takes every name). Entries come in
// the order the system lists them; a subfolder's files are listed at the
// point where the subfolder is listed (depth first). Folders are never
// taken themselves, and nor is folder: a name of any bytes is a file of
// its folder.
//
// The exclusions apply whenever their flag is set, also without
// findSubFolders: then a file exclusion still spares files of folder.
// A symbolic link to a folder is never entered, so the search never leaves
// folder; a link to a file is a file (deleting it removes the link only).
// The search is iterative and goes through open folder handles, so any
// depth is searched, also below the system's limit on path lengths.
void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, MaskedFiles& result);

// The paths of the files in files.found, as code page 932 texts, in the
// order found.
[[nodiscard]] std::vector<std::string> FoundPaths(const MaskedFiles& files);

// The paths of the files found, as above, as code page 932 texts in the
// order found, appended to result; folders that could not be read
// contribute nothing. (The search itself builds no path: a question names
// only the first few of many thousands of files.)
void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, std::vector<std::string>& result);

} // namespace tamble
