#include "fileview/fileclipboard.h"

#include "platform/codepage.h"
#include "platform/paths.h"

namespace tamble {

using platform::Cp932;

std::string FolderClipboardText(int mode) {
    return Cp932(mode == kClipboardCut ? "ﾌｫﾙﾀﾞを切り取り" : "ﾌｫﾙﾀﾞをｺﾋﾟｰ");
}

std::string FilesClipboardText(int mode, size_t count) {
    return std::to_string(count) +
           Cp932(mode == kClipboardCut ? " 個のﾌｧｲﾙを切り取り" : " 個のﾌｧｲﾙをｺﾋﾟｰ");
}

void ClipFolder(FileClipboard& clipboard, const std::string& folder, int mode) {
    clipboard.ClipboardFiles = {folder};
    clipboard.ClipboardMode = mode;
    clipboard.ClipboardSourcePath = folder;
    clipboard.ClipboardStatusText = FolderClipboardText(mode);
}

bool ClipFiles(FileClipboard& clipboard, const std::string& folder,
               const std::vector<std::string>& names, int mode) {
    if (names.empty()) return false;
    const platform::PathStyle style = platform::NativePathStyle();
    clipboard.ClipboardFiles.clear();
    for (const std::string& name : names)
        clipboard.ClipboardFiles.push_back(platform::JoinPath(style, folder, name));
    clipboard.ClipboardMode = mode;
    clipboard.ClipboardSourcePath = folder;
    clipboard.ClipboardStatusText = FilesClipboardText(mode, names.size());
    return true;
}

PasteRequest PlanPaste(const FileClipboard& clipboard, const std::string& destination) {
    PasteRequest request;
    request.move = clipboard.ClipboardMode == kClipboardCut;
    request.renameOnCollision = !request.move && clipboard.ClipboardSourcePath == destination;
    return request;
}

} // namespace tamble
