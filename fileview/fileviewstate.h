// What the file page knows besides its controls: the folder it lists, the
// icon cache's names, the two halves of the status line and the program's
// own file clipboard. Texts are CP932 bytes.
#pragma once

#include "fileview/fileclipboard.h"

#include <string>
#include <vector>

namespace tamble {

struct FileViewState {
    std::string CurrentPath;               // folder the file list shows
    bool ForceFileListUpdate = false;      // refill the list even if the folder is unchanged
    std::vector<std::string> IconCashList; // extensions whose icons are cached
    std::string SelectStatusText;          // left half of the status line
    FileClipboard clipboard;

    // The status bar's text: SelectStatusText, " / ", the clipboard's text.
    [[nodiscard]] std::string StatusLine() const {
        return SelectStatusText + " / " + clipboard.ClipboardStatusText;
    }
};

} // namespace tamble
