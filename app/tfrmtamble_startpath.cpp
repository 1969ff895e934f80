// A path from the command line, or handed over by a second start, shown in
// the main window.
#include "app/tfrmtamble.h"

#include "app/startarguments.h"
#include "core/errortext.h"
#include "fileview/fileviewpage.h"
#include "platform/codepage.h"
#include "platform/nativepath.h"
#include "project/projectpage.h"

#include <QTabWidget>

#include <filesystem>

namespace tamble {

void TfrmTamble::ShowStartPath(const std::string& nativePath) {
    if (inTray_ || !isVisible() || isMinimized()) RestoreFromTray();
    raise();
    activateWindow();
    const auto showFolder = [this](const std::string& folder) {
        PageControl->setCurrentIndex(kFilePage);
        filePage_->ShowFolder(platform::Utf8ToCp932(folder));
    };
    switch (KindOfStartPath(nativePath)) {
    case StartPathKind::Folder:
        showFolder(nativePath);
        break;
    case StartPathKind::OtherFile:
        showFolder(platform::TextOfPath(platform::PathOfText(nativePath).parent_path()));
        break;
    case StartPathKind::ProjectFile:
        PageControl->setCurrentIndex(kProjectPage);
        projectPage_->OpenProjectFileAt(platform::Utf8ToCp932(nativePath));
        break;
    case StartPathKind::Missing:
        Prompts().Message(platform::Cp932("ファイルまたはフォルダが見つかりません: ") +
                              platform::Utf8ToCp932(nativePath),
                          kApplicationTitle, platform::PromptIcon::Error);
        break;
    }
}

} // namespace tamble
