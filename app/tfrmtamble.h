// TfrmTamble: the main window. It adds the three pages (projects, files,
// launcher items) as tabs and connects their signals, and holds the menus,
// the status bar and the notification-area icon. Every control keeps the
// object name the rest of the program knows it by. The window owns the
// options and the tools' histories, which the settings file keeps.
//
// The file page is built with the window. The project and item pages are
// built the first time they are needed: when their tab is selected (the
// one selected at start included), or when a command, a drop or a start
// path acts on them. A page never built has changed nothing, so the exit
// writes nothing of its own (item.lst stays as it was).
#pragma once

#include "app/shellenvironment.h"
#include "core/settings.h"
#include "project/projectcommands.h"
#include "tools/toolstate.h"

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTabWidget;
class QSystemTrayIcon;

namespace tamble {

class FileViewPage;
class LauncherPage;
class PageSlot;
class ProjectPage;

// Page indexes of PageControl.
inline constexpr int kProjectPage = 0;
inline constexpr int kFilePage = 1;
inline constexpr int kItemPage = 2;

class TfrmTamble : public QMainWindow {
    Q_OBJECT

public:
    // Creates the window and runs its creation steps (settings, folder
    // tree, the page selected at start); the caller shows it.
    explicit TfrmTamble(ShellEnvironment environment, QWidget* parent = nullptr);
    ~TfrmTamble() override;

    // --- What the pages and dialogs share: the options, which the options
    // dialog edits, and what the batch tools keep between openings.
    [[nodiscard]] AppOptions& Options() { return options_; }
    [[nodiscard]] ToolState& Tools() { return tools_; }
    [[nodiscard]] platform::UserPrompts& Prompts() const { return *env_.prompts; }

    // --- Options the dialogs edit
    void ApplyFormStyle(int formStyle);
    [[nodiscard]] HistoryList FilterItems() const;
    // Replaces the filter history and selects its first entry.
    void SetFilterItems(const HistoryList& items);
    // Writes the status line the file page composes.
    void RenewStatusBar();
    [[nodiscard]] bool InTray() const { return inTray_; }
    // Brings the window forward and shows nativePath (an absolute path in
    // file-system bytes, from the command line or a second start): a folder,
    // or the folder of a file, in the file view; a project file as the
    // project. A path that does not exist is reported.
    void ShowStartPath(const std::string& nativePath);

signals:
    // The exit steps have run; the program may end.
    void Closed();

public slots:
    void FormCreate();
    void FormDestroy();
    void StatusBarDblClick();
    void TrayIcon1Restore();
    void N1Click();
    void N30Click();
    void mnuOptionClick();
    void mnuAllOpenEditorClick();
    void mnuRowSelectModeClick();
    // Minimizes into the notification area (or normally without one).
    void MinimizeToTray();
    // Brings the window back from the notification area.
    void RestoreFromTray();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Builders of the controls (tfrmtamble_controls.cpp).
    void CreateMenus();
    void CreateTray();
    void CreatePages();
    void ConnectHandlers();
    // Runs command on the project page, built first if need be.
    void RunOnProjectPage(QAction* trigger, void (ProjectPage::*command)());

    // --- Pages built when first needed
    // The page at index of PageControl, built now if it was not yet.
    void BuildPage(int index);
    ProjectPage& BuiltProjectPage();
    LauncherPage& BuiltLauncherPage();

    // Settings onto the controls and back (tfrmtamble_settings.cpp).
    // firstStart: there was no settings file, so the default geometry is
    // fitted into the work area.
    void ApplySettings(const Settings& settings, bool firstStart);
    [[nodiscard]] Settings CollectSettings() const;
    // Writes the settings file from the controls; a failed write is shown.
    void SaveSettingsFile();
    // Whether the desktop has a notification area (asked each time: it may
    // come and go while the program runs).
    [[nodiscard]] bool TrayAvailable() const;
    // Whether the icon is in a notification area right now.
    [[nodiscard]] bool TrayShown() const;
    // Shows TrayIcon1 when there is a notification area; the window then
    // needs no taskbar button.
    void ShowTrayIcon();
    // Sizes the client area so that the frame's outside is outerSize_ (the
    // frame as far as it is known yet).
    void ApplyOuterSize();
    // Applies outerSize_ again once the frame is first known.
    void NoteFrame();

    // --- Menu bar
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* N1 = nullptr;
    QMenu* N8 = nullptr;
    QAction* mnuAllOpenEditor = nullptr;
    QAction* mnuRowSelectMode = nullptr;
    QAction* mnuOption = nullptr;
    QMenu* debug1 = nullptr;
    QAction* C2 = nullptr;
    QAction* I1 = nullptr;
    QAction* N30 = nullptr;

    // --- Frame
    QFrame* Bevel1 = nullptr;
    QTabWidget* PageControl = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusText = nullptr;
    QSystemTrayIcon* TrayIcon1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* N9 = nullptr;
    QAction* N7 = nullptr;
    QAction* N4 = nullptr;
    QAction* X1 = nullptr;

    // --- Pages
    ProjectCommands projectCommands_; // File menu and ToolBar1, from the start
    PageSlot* projectSlot_ = nullptr; // holds a ProjectPage once built
    FileViewPage* filePage_ = nullptr;
    PageSlot* itemSlot_ = nullptr; // holds a LauncherPage once built

    ShellEnvironment env_;
    AppOptions options_;
    ToolState tools_;
    bool inTray_ = false;
    bool destroyed_ = false;
    ScreenRect outerSize_;    // the window's wanted bounds, frame included
    bool frameKnown_ = false; // outerSize_ was applied with the real frame
};

} // namespace tamble
