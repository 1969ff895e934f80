// The program's own file clipboard: what a cut or a copy in the file view
// records, the status texts that tell the user
// about it, and how a paste turns it into a shell operation. The system
// clipboard is never used. Texts are CP932 bytes. Pasting is a file
// command (filecommands.h).
//
// The clipboard holds either one folder (cut or copied from the folder
// tree) or the selected files of one folder (from the file list). It lives
// for the whole run: a paste does not empty it, so a second paste copies
// again, or tries to move paths that are already gone and fails.
#pragma once

#include <string>
#include <vector>

namespace tamble {

// Values of ClipboardMode.
inline constexpr int kClipboardCopied = 0; // paste copies
inline constexpr int kClipboardCut = 1;    // paste moves

struct FileClipboard {
    std::vector<std::string> ClipboardFiles; // full paths last cut or copied
    int ClipboardMode = kClipboardCopied;
    std::string ClipboardSourcePath; // the folder they came from
    std::string ClipboardStatusText; // the right half of the status line
};

// The right half of the status line after a cut or copy: "ﾌｫﾙﾀﾞを切り取り",
// "ﾌｫﾙﾀﾞをｺﾋﾟｰ", "3 個のﾌｧｲﾙを切り取り", "3 個のﾌｧｲﾙをｺﾋﾟｰ".
[[nodiscard]] std::string FolderClipboardText(int mode);
[[nodiscard]] std::string FilesClipboardText(int mode, size_t count);

// Puts folder on the clipboard with mode (kClipboardCut or kClipboardCopied);
// folder is also the source path.
void ClipFolder(FileClipboard& clipboard, const std::string& folder, int mode);

// Puts the files names (bare names in folder) on the clipboard. Returns
// false, changing nothing, when names is empty.
bool ClipFiles(FileClipboard& clipboard, const std::string& folder,
               const std::vector<std::string>& names, int mode);

// What a paste into destination asks of the shell.
struct PasteRequest {
    bool move = false;              // cut: move; copied: copy
    bool renameOnCollision = false; // copies pasted into the folder they came from
};

// The request for a paste into destination. Copies get new names instead of
// an overwrite question exactly when destination equals the source path
// (byte for byte, letter case included).
[[nodiscard]] PasteRequest PlanPaste(const FileClipboard& clipboard,
                                     const std::string& destination);

} // namespace tamble
