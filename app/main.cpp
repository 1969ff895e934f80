// Entry point: one instance per session, then the main window until it
// closes. No command-line arguments are read.
#include "codepage.h"
#include "errortext.h"
#include "filecontextmenus.h"
#include "filereplace.h"
#include "fileviewpage.h"
#include "instancelock.h"
#include "locations.h"
#include "qtoperationprogress.h"
#include "qtuserprompts.h"
#include "tambleapplication.h"
#include "textfile.h"
#include "tfrmtamble.h"

#include <exception>

int main(int argc, char** argv) {
    // Before anything else, so a second start ends at once and silently,
    // even without a display.
    if (!platform::AcquireInstanceLock(tamble::kApplicationTitle)) return 1;

    // Paths below the forms are code page 932; the file system's names are UTF-8.
    SetTextFilePathMapper([](const char* path) { return platform::Cp932ToUtf8(path); });
    // Saves reach the disk before they replace the old file.
    SetTextFileReplacer(platform::ReplaceFileAtomically);

    tamble::TambleApplication application(argc, argv);
    try {
        platform::QtUserPrompts prompts(nullptr);
        platform::QtOperationProgress progress(nullptr);
        tamble::ShellEnvironment environment;
        environment.settingsPath = platform::Utf8ToCp932(platform::SettingsFilePath());
        environment.dataFolder = platform::DataFolder();
        environment.prompts = &prompts;
        environment.progress = &progress;
        // The file page comes to life with the window's first folder tree.
        environment.hooks.BuildFolderTree = [] {
            tamble::FileViewOf(*tamble::frmTamble).BuildFolderTree();
            tamble::FileContextMenusOf(*tamble::frmTamble);
        };
        environment.hooks.ClearIconCache = [] { tamble::FileViewOf(*tamble::frmTamble).C2Click(); };
        tamble::TfrmTamble window(std::move(environment));
        prompts.SetParent(&window);
        progress.SetParent(&window);
        QObject::connect(&window, &tamble::TfrmTamble::Closed, &application,
                         &QCoreApplication::quit);
        window.show();
        application.exec();
    } catch (const std::exception& error) {
        tamble::ShowErrorBox(error.what());
    }
    return 0;
}
