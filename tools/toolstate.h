// What the batch tools keep between openings for the whole run: the delete
// tool's three histories, which no control shows while its dialog is closed
// and which the settings file keeps, and the copy tool's source file.
// Texts are CP932 bytes.
#pragma once

#include "core/combohistory.h"

#include <string>

namespace tamble {

struct ToolState {
    HistoryList cmbDeleteFilesFromMask;
    HistoryList cmbOutOfFilePattern;
    HistoryList cmbOutOfFolderPattern;
    std::string DuplicateFilePath; // the file the copy tool copies
};

} // namespace tamble
