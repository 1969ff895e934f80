// FileListing: the rows of the folder the file list shows, and which of
// them the narrowing text keeps. While the folder stays as it was listed
// (told by one look at its stamp), a new narrowing text filters the rows
// already listed instead of reading the folder again; typing into the
// narrowing box then costs no system call per file. Texts are CP932 bytes.
#pragma once

#include "fileview/filelist.h"
#include "fileview/filerows.h"
#include "platform/direntries.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamble {

class FileListing {
public:
    // Reads folder afresh for filter (see ReadFileRows), keeping the files
    // narrow keeps, gives the rows their icons (PlanFileIcons with
    // iconCashList and perFileMasks) and puts them in display order; every
    // row listed is shown. Returns the icons left to look up.
    IconLookups List(const std::string& folder, const std::string& filter,
                     const std::string& narrow, std::vector<std::string>& iconCashList,
                     const std::string& perFileMasks);

    // Whether Narrow can do without reading the folder again: a folder was
    // listed for filter, it has not changed since (its stamp is the one it
    // had before it was read), and the listing kept every file narrow keeps.
    [[nodiscard]] bool CanNarrow(const std::string& filter, const std::string& narrow) const;
    // Shows the rows listed that narrow keeps. Only after CanNarrow said yes.
    void Narrow(const std::string& narrow);

    // The size of the file of row; looked up, and kept, the first time it
    // is asked for when the listing did not give it. nullopt when the
    // file is no longer there, or the folder's path names another folder.
    [[nodiscard]] std::optional<uint64_t> FileSize(size_t row);

    // The rows listed, and the indexes of the rows shown, in order.
    [[nodiscard]] const FileRows& Rows() const { return rows_; }
    [[nodiscard]] FileRows& Rows() { return rows_; }
    [[nodiscard]] const std::vector<uint32_t>& Shown() const { return shown_; }
    [[nodiscard]] const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::string filter_;
    std::string listedNarrow_; // the narrowing text the folder was read with
    std::string shownNarrow_;  // the one shown_ was kept by
    std::optional<platform::FolderStamp> stamp_;
    FileRows rows_;
    std::vector<uint32_t> shown_;
};

} // namespace tamble
