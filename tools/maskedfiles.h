// The search of the delete-by-mask tool: every file below a folder whose
// name matches a mask list, with optional exclusions. Texts are code page
// 932; paths are in the native form (pathstyle.h).
#pragma once

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
};

// Appends to result the path of every file of folder whose bare name
// matches masks (MaskMatchList: "*.*" spares names without a dot, "*"
// takes every name). Entries come in the order the system lists them; a
// subfolder's files are appended at the point where the subfolder is
// listed (depth first). Folders are never appended themselves.
//
// The exclusions apply whenever their flag is set, also without
// findSubFolders: then a file exclusion still spares files of folder.
// A symbolic link to a folder is never entered, so the search never leaves
// folder; a link to a file is a file (deleting it removes the link only).
// A folder that cannot be read contributes nothing.
void CollectMaskedFiles(const std::string& folder, const std::string& masks,
                        const MaskedFileOptions& options, std::vector<std::string>& result);

} // namespace tamble
