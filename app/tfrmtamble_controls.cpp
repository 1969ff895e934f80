// The main window's controls, built as designed: names, captions,
// shortcuts and fixed sizes. Behaviour is wired in ConnectHandlers.
#include "app/tfrmtamble.h"

#include "widgets/formnames.h"

#include "app/pageslot.h"
#include "app/placement.h"
#include "fileview/fileviewpage.h"
#include "launcher/launcheritems.h"
#include "launcher/launcherpage.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/qt/firstpaint.h"
#include "project/projectpage.h"
#include "widgets/appstyle.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>

namespace tamble {
namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {}) {
    QAction* action = Named(menu->addAction(caption), name);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TfrmTamble::CreateMenus() {
    MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
    setMenuBar(MainMenu1);

    File1 = Named(MainMenu1->addMenu(QStringLiteral("ファイル(&F)")), "File1");
    // The project page's commands, which its tool bar shows too; they are
    // here before the page is.
    projectCommands_ = NewProjectCommands(this);
    File1->addActions(
        {projectCommands_.newProject, projectCommands_.openProject, projectCommands_.saveProject});
    connect(File1, &QMenu::aboutToShow, this,
            [this] { GiveProjectCommandImages(projectCommands_, *style()); });
    File1->addSeparator();
    N1 = AddAction(File1, "N1", QStringLiteral("アプリケーションの終了(&X)"));

    N8 = Named(MainMenu1->addMenu(QStringLiteral("ツール(&T)")), "N8");
    mnuAllOpenEditor =
        AddAction(N8, "mnuAllOpenEditor", QStringLiteral("すべて指定のエディタで開く(&E)"));
    mnuAllOpenEditor->setCheckable(true);
    mnuRowSelectMode = AddAction(N8, "mnuRowSelectMode", QStringLiteral("RowSelectMode(&R)"));
    mnuRowSelectMode->setCheckable(true);
    N8->addSeparator();
    mnuOption = AddAction(N8, "mnuOption", QStringLiteral("設定(&O)"));
    N8->addSeparator();
    debug1 = Named(N8->addMenu(QStringLiteral("Debug(&D)")), "debug1");
    C2 = AddAction(debug1, "C2", QStringLiteral("アイコンキャッシュのクリア(&C)"));
    I1 = AddAction(debug1, "I1", QStringLiteral("フォルダツリーの初期化(&I)"));
    N30 = AddAction(N8, "N30", QStringLiteral("バージョン情報(&A)"));
}

void TfrmTamble::CreateTray() {
    PopupMenu2 = Named(new QMenu(this), "PopupMenu2");
    N9 = AddAction(PopupMenu2, "N9", QStringLiteral("プロジェクトの新規作成(&N)"));
    N7 = AddAction(PopupMenu2, "N7", QStringLiteral("プロジェクトを開く(&O)"));
    N4 = AddAction(PopupMenu2, "N4", QStringLiteral("プロジェクトの保存(&S)"));
    PopupMenu2->addSeparator();
    X1 = AddAction(PopupMenu2, "X1", QStringLiteral("アプリケーションの終了(&X)"));

    TrayIcon1 = Named(new QSystemTrayIcon(ProgramIcon(), this), "TrayIcon1");
    TrayIcon1->setToolTip(QStringLiteral("Tamble"));
    TrayIcon1->setContextMenu(PopupMenu2);
    // Asking the desktop for a notification area takes a round trip to it:
    // unless the answer is known, the window is shown first.
    if (env_.trayAvailable)
        ShowTrayIcon();
    else
        platform::AfterFirstPaint(*this, [this] { ShowTrayIcon(); });
}

void TfrmTamble::CreatePages() {
    projectSlot_ = new PageSlot(
        [this](QWidget* slot) {
            return new ProjectPage(options_, Prompts(), projectCommands_, slot);
        },
        PageControl);
    PageControl->addTab(projectSlot_, QStringLiteral("ProjectView"));

    FileViewServices services = env_.fileView;
    if (services.owner.prompts == nullptr) services.owner.prompts = &Prompts();
    if (services.owner.progress == nullptr) services.owner.progress = env_.progress;
    filePage_ = new FileViewPage(options_, tools_, std::move(services), PageControl);
    PageControl->addTab(filePage_, QStringLiteral("FileView"));

    // The path shows in messages, so it is joined as the system writes paths.
    const std::string itemFile = platform::Utf8ToCp932(
        platform::JoinPath(platform::NativePathStyle(), env_.dataFolder, kItemFileName));
    itemSlot_ = new PageSlot(
        [this, itemFile](QWidget* slot) {
            auto* page = new LauncherPage(Prompts(), itemFile, slot);
            page->LoadLauncherItems();
            return page;
        },
        PageControl);
    PageControl->addTab(itemSlot_, QStringLiteral("ItemView"));
}

void TfrmTamble::ConnectHandlers() {
    connect(N1, &QAction::triggered, this, &TfrmTamble::N1Click);
    connect(X1, &QAction::triggered, this, &TfrmTamble::N1Click);
    connect(N30, &QAction::triggered, this, &TfrmTamble::N30Click);
    connect(mnuOption, &QAction::triggered, this, &TfrmTamble::mnuOptionClick);
    // The notification area's menu runs the project commands too.
    RunOnProjectPage(projectCommands_.newProject, &ProjectPage::CreateProject);
    RunOnProjectPage(projectCommands_.openProject, &ProjectPage::OpenProjectFile);
    RunOnProjectPage(projectCommands_.saveProject, &ProjectPage::SaveProjectFile);
    RunOnProjectPage(N9, &ProjectPage::CreateProject);
    RunOnProjectPage(N7, &ProjectPage::OpenProjectFile);
    RunOnProjectPage(N4, &ProjectPage::SaveProjectFile);
    connect(filePage_, &FileViewPage::StatusTextChanged, this, &TfrmTamble::RenewStatusBar);
    connect(C2, &QAction::triggered, filePage_, &FileViewPage::C2Click);
    connect(I1, &QAction::triggered, filePage_, &FileViewPage::BuildFolderTree);
    connect(mnuAllOpenEditor, &QAction::triggered, this, &TfrmTamble::mnuAllOpenEditorClick);
    connect(mnuRowSelectMode, &QAction::triggered, this, &TfrmTamble::mnuRowSelectModeClick);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // Hosts that follow the StatusNotifierItem protocol report a click
                // as Trigger and never a double-click; accepting it keeps the
                // window reachable there. The right button opens PopupMenu2.
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger ||
                    reason == QSystemTrayIcon::MiddleClick) {
                    RestoreFromTray();
                }
            });
    StatusBar->installEventFilter(this);
}

void TfrmTamble::RunOnProjectPage(QAction* trigger, void (ProjectPage::*command)()) {
    connect(trigger, &QAction::triggered, this,
            [this, command] { (BuiltProjectPage().*command)(); });
}

} // namespace tamble
