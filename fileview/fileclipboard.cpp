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

void ClipFolder(MainWindowState& state, const std::string& folder, int mode) {
    state.ClipboardFiles = {folder};
    state.ClipboardMode = mode;
    state.ClipboardSourcePath = folder;
    state.ClipboardStatusText = FolderClipboardText(mode);
}

bool ClipFiles(MainWindowState& state, const std::vector<std::string>& names, int mode) {
    if (names.empty()) return false;
    const platform::PathStyle style = platform::NativePathStyle();
    state.ClipboardFiles.clear();
    for (const std::string& name : names)
        state.ClipboardFiles.push_back(platform::JoinPath(style, state.CurrentPath, name));
    state.ClipboardMode = mode;
    state.ClipboardSourcePath = state.CurrentPath;
    state.ClipboardStatusText = FilesClipboardText(mode, names.size());
    return true;
}

PasteRequest PlanPaste(const MainWindowState& state, const std::string& destination) {
    PasteRequest request;
    request.move = state.ClipboardMode == kClipboardCut;
    request.renameOnCollision = !request.move && state.ClipboardSourcePath == destination;
    return request;
}

} // namespace tamble
