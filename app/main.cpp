// Entry point: the command line, one instance per session (a second start
// hands its path to the first), then the main window until it closes.
#include "app/sessionend.h"
#include "app/startarguments.h"
#include "app/tambleapplication.h"
#include "app/tfrmtamble.h"
#include "bench/instrument/paintreport.h"
#include "core/errortext.h"
#include "platform/codepage.h"
#include "platform/filereplace.h"
#include "platform/instancehandover.h"
#include "platform/instancelock.h"
#include "platform/locations.h"
#include "platform/memoryreuse.h"
#include "platform/nativepath.h"
#include "platform/programarguments.h"
#include "platform/programstart.h"
#include "platform/qt/handoverserver.h"
#include "platform/qt/shellwindow.h"
#include "textlib/textfile.h"
#include "widgets/qtext.h"
#include "widgets/qtoperationprogress.h"
#include "widgets/qtuserprompts.h"

#include <QTimer>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <thread>

namespace {

// How long a second start keeps trying to reach a first one that holds the
// lock but is still starting up and not yet listening.
constexpr int kHandoverAttempts = 30;
constexpr std::chrono::milliseconds kHandoverRetryDelay{100};

// path made absolute against this process's folder, which the running
// instance does not share, without "." and ".." parts or a trailing
// "/"; left as given when that folder is unknown.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(platform::PathOfText(path), error);
    if (error) return path;
    // "./src/" names the folder the tree shows as ".../src".
    absolute = absolute.lexically_normal();
    if (!absolute.has_filename() && absolute.has_relative_path()) absolute = absolute.parent_path();
    return platform::TextOfPath(absolute);
}

// Reads the command line; a value when the program ends here with it.
std::optional<int> AnswerCommandLine(const tamble::StartArguments& arguments) {
    using Action = tamble::StartArguments::Action;
    switch (arguments.action) {
    case Action::ShowHelp:
        std::fputs(tamble::HelpText().c_str(), stdout);
        return 0;
    case Action::ShowVersion:
        std::fputs(tamble::VersionText().c_str(), stdout);
        return 0;
    case Action::Refuse:
        std::fprintf(stderr, "tamble: %s\n%s", arguments.error.c_str(), tamble::HelpHint().c_str());
        return tamble::kUsageExitCode;
    case Action::Run:
        break;
    }
    return std::nullopt;
}

void HandOverToRunningInstance(const std::string& path) {
    const std::string socket = platform::InstanceSocketPath(tamble::kApplicationTitle);
    for (int attempt = 0; attempt < kHandoverAttempts; ++attempt) {
        if (platform::HandOverPath(socket, path)) return;
        std::this_thread::sleep_for(kHandoverRetryDelay);
    }
    std::fprintf(stderr, "tamble: the running Tamble could not be reached\n");
}

} // namespace

int main(int argc, char** argv) {
    platform::KeepFreedMemoryForReuse();
    const tamble::StartArguments arguments =
        tamble::ReadStartArguments(platform::ProgramArguments(argc, argv));
    if (const std::optional<int> exitCode = AnswerCommandLine(arguments)) return *exitCode;
    const std::optional<std::string> startPath =
        arguments.path ? std::optional(AbsolutePath(*arguments.path)) : std::nullopt;

    // Before the display is opened, so a second start ends at once, even
    // without a display; one without a path ends silently.
    if (!platform::AcquireInstanceLock(tamble::kApplicationTitle)) {
        if (startPath) HandOverToRunningInstance(*startPath);
        return 1;
    }

    // Paths below the forms are code page 932; the file system's names are
    // UTF-8 (POSIX) or UTF-16 (Windows).
    SetTextFilePathMapper([](const char* path) { return platform::NativePath(path); });
    // Saves reach the disk before they replace the old file.
    SetTextFileReplacer(platform::ReplaceFileAtomically);

    // The command line has been read: Qt is given none of it, so no
    // argument can be taken for one of Qt's own options.
    int qtArgc = 1;
    tamble::TambleApplication application(qtArgc, argv);
    try {
        platform::QtUserPrompts prompts(nullptr);
        platform::QtOperationProgress progress(nullptr);
        tamble::ShellEnvironment environment;
        environment.settingsPath = platform::Utf8ToCp932(platform::SettingsFilePath());
        environment.dataFolder = platform::DataFolder();
        environment.prompts = &prompts;
        environment.progress = &progress;
        // A folder is opened while the window is made, so the first frame
        // shows it; a project file or a missing path needs the window up
        // to open it or to say so.
        if (startPath) environment.startFolder = tamble::StartFolderOf(*startPath);
        const bool showStartPathLater = startPath && !environment.startFolder;
        tamble::TfrmTamble window(std::move(environment));
        prompts.SetParent(&window);
        progress.SetParent(&window);
        QObject::connect(&window, &tamble::TfrmTamble::Closed, &application,
                         &QCoreApplication::quit);
        tamble::CloseWithSession(application, window);
        window.show();
        platform::SetProgramStartOwner(platform::ShellOwnerWindow(&window));
        platform::HandoverServer handover;
        QObject::connect(&handover, &platform::HandoverServer::PathReceived, &window,
                         &tamble::TfrmTamble::ShowStartPath);
        handover.Listen(platform::InstanceSocketPath(tamble::kApplicationTitle));
        if (showStartPathLater) {
            QTimer::singleShot(0, &window,
                               [&window, &startPath] { window.ShowStartPath(*startPath); });
        }
        platform::ReportFirstPaint(window);
        application.exec();
    } catch (const std::exception& error) {
        tamble::ShowErrorBox(error.what());
    }
    return 0;
}
