// A path from the command line, or handed over by a second start, shown in
// the main window.
#include "app/tfrmtamble.h"

#include "app/startarguments.h"
#include "core/errortext.h"
#include "fileview/fileviewpage.h"
#include "platform/codepage.h"
#include "project/projectpage.h"

#include <QTabWidget>

#include <optional>

namespace tamble {

void TfrmTamble::ShowStartPath(const std::string& nativePath) {
    if (inTray_ || !isVisible() || isMinimized()) RestoreFromTray();
    raise();
    activateWindow();
    if (const std::optional<std::string> folder = StartFolderOf(nativePath)) {
        PageControl->setCurrentIndex(kFilePage);
        filePage_->ShowFolder(platform::Utf8ToCp932(*folder));
    } else if (KindOfStartPath(nativePath) == StartPathKind::ProjectFile) {
        PageControl->setCurrentIndex(kProjectPage);
        BuiltProjectPage().OpenProjectFileAt(platform::Utf8ToCp932(nativePath));
    } else {
        Prompts().Message(platform::Cp932("ファイルまたはフォルダが見つかりません: ") +
                              platform::Utf8ToCp932(nativePath),
                          kApplicationTitle, platform::PromptIcon::Error);
    }
}

} // namespace tamble
