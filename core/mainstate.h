// The state the main window holds for the views and tools: created empty
// with the window, read and changed by the pages, dialogs and the output
// window, released when the window goes. Texts are CP932 bytes.
#pragma once

#include "core/combohistory.h"
#include "core/settings.h"

#include <string>
#include <vector>

namespace tamble {

// Values of ClipboardMode.
inline constexpr int kClipboardCopied = 0; // paste copies
inline constexpr int kClipboardCut = 1;    // paste moves

struct MainWindowState {
    // --- File view
    std::string CurrentPath;               // folder the file list shows
    bool ForceFileListUpdate = false;      // refill the list even if the folder is unchanged
    std::vector<std::string> IconCashList; // extensions whose icons are cached
    std::string SelectStatusText;          // left half of the status line

    // --- The program's own file clipboard
    std::vector<std::string> ClipboardFiles; // full paths last cut or copied
    int ClipboardMode = kClipboardCopied;
    std::string ClipboardSourcePath;
    std::string ClipboardStatusText; // right half of the status line
    std::string DuplicateFilePath;   // source of the copy-by-list tool

    // --- Project and item pages: last pointer position, the drop point
    int LastMouseX = 0;
    int LastMouseY = 0;

    // --- Options loaded from the settings and edited by the options dialog
    AppOptions options;

    // Histories of the delete-by-mask tool, kept here because no visible
    // control shows them.
    HistoryList cmbDeleteFilesFromMask;
    HistoryList cmbOutOfFilePattern;
    HistoryList cmbOutOfFolderPattern;

    // The status bar's text: SelectStatusText, " / ", ClipboardStatusText.
    [[nodiscard]] std::string StatusLine() const {
        return SelectStatusText + " / " + ClipboardStatusText;
    }
};

} // namespace tamble
