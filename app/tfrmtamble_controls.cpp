// The main window's controls, built as designed: names, captions,
// shortcuts and fixed sizes. Behaviour is wired in ConnectHandlers.
#include "app/tfrmtamble.h"

#include "widgets/formnames.h"

#include "widgets/appstyle.h"
#include "platform/codepage.h"
#include "platform/qt/firstpaint.h"
#include "widgets/formcontrols.h"
#include "launcher/launcheritems.h"
#include "launcher/launcherpage.h"
#include "platform/paths.h"
#include "app/placement.h"
#include "fileview/fileviewpage.h"
#include "project/projectpage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tamble {
namespace {

constexpr int kToolBarHeight = 28;
constexpr int kShortLongPanelHeight = 19;

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
    const QStyle* look = style();

    File1 = Named(MainMenu1->addMenu(QStringLiteral("ファイル(&F)")), "File1");
    mnuNewProject = AddAction(File1, "mnuNewProject", QStringLiteral("プロジェクトの新規作成(&N)"),
                              QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuNewProject->setIcon(look->standardIcon(QStyle::SP_FileIcon));
    // No "&" here: the entry's "(O)" is plain text.
    mnuOpenProject = AddAction(File1, "mnuOpenProject", QStringLiteral("プロジェクトを開く(O)"),
                               QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuOpenProject->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
    mnuSaveProject = AddAction(File1, "mnuSaveProject", QStringLiteral("プロジェクトの保存(&S)"),
                               QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveProject->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
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

void TfrmTamble::CreateProjectPage() {
    tabProjectView = Named(new QWidget(PageControl), "tabProjectView");
    QVBoxLayout* column = FlatColumn(tabProjectView);

    ToolBar1 = Named(new QToolBar(tabProjectView), "ToolBar1");
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The buttons share the File menu's actions: same caption, image, handler.
    ToolBar1->addAction(mnuNewProject);
    ToolBar1->addAction(mnuOpenProject);
    ToolBar1->addAction(mnuSaveProject);
    btnNewProject = Named(qobject_cast<QToolButton*>(ToolBar1->widgetForAction(mnuNewProject)),
                          "btnNewProject");
    btnOpenProject = Named(qobject_cast<QToolButton*>(ToolBar1->widgetForAction(mnuOpenProject)),
                           "btnOpenProject");
    btnSaveProject = Named(qobject_cast<QToolButton*>(ToolBar1->widgetForAction(mnuSaveProject)),
                           "btnSaveProject");
    for (QToolButton* button : {btnNewProject, btnOpenProject, btnSaveProject})
        button->setAutoRaise(true);
    column->addWidget(ToolBar1);

    TreeView1 = Named(new QTreeWidget(tabProjectView), "TreeView1");
    TreeView1->setHeaderHidden(true);
    column->addWidget(TreeView1, 1);

    Panel2 = Strip(tabProjectView, "Panel2", kShortLongPanelHeight);
    chkShortLongName =
        Named(new QCheckBox(QStringLiteral("短い名前にする"), Panel2), "chkShortLongName");
    chkShortLongName->setChecked(true);
    chkShortLongName->move(2, 1);
    column->addWidget(Panel2);
    projectPage = new ProjectPage(TreeView1, chkShortLongName, state, Prompts(), this);

    PageControl->addTab(tabProjectView, QStringLiteral("ProjectView"));
}

void TfrmTamble::CreateFilePage() {
    FileViewServices services = env_.fileView;
    if (services.owner.prompts == nullptr) services.owner.prompts = &Prompts();
    if (services.owner.progress == nullptr) services.owner.progress = env_.progress;
    filePage_ = new FileViewPage(state, std::move(services), PageControl);
    PageControl->addTab(filePage_, QStringLiteral("FileView"));
    connect(filePage_, &FileViewPage::StatusTextChanged, this, &TfrmTamble::RenewStatusBar);
}

void TfrmTamble::CreateItemPage() {
    TabSheet1 = Named(new QWidget(PageControl), "TabSheet1");
    QVBoxLayout* column = FlatColumn(TabSheet1);
    ListViewItem1 = ReportList(TabSheet1, "ListViewItem1");
    ListViewItem1->setHeaderLabels({QStringLiteral("アイテム")});
    ListViewItem1->setHeaderHidden(true);
    ListViewItem1->header()->setSectionResizeMode(QHeaderView::Stretch);
    column->addWidget(ListViewItem1);
    PageControl->addTab(TabSheet1, QStringLiteral("ItemView"));
    // The path shows in messages, so it is joined as the system writes paths.
    const std::string itemFile = platform::Utf8ToCp932(
        platform::JoinPath(platform::NativePathStyle(), env_.dataFolder, kItemFileName));
    launcherPage = new LauncherPage(ListViewItem1, this, state, Prompts(), itemFile);
}

void TfrmTamble::ConnectHandlers() {
    connect(N1, &QAction::triggered, this, &TfrmTamble::N1Click);
    connect(X1, &QAction::triggered, this, &TfrmTamble::N1Click);
    connect(N30, &QAction::triggered, this, &TfrmTamble::N30Click);
    connect(mnuOption, &QAction::triggered, this, &TfrmTamble::mnuOptionClick);
    // The project commands; the toolbar buttons share the File menu's actions.
    const struct {
        QAction* action;
        void (ProjectPage::*command)();
    } projectRoutes[] = {
        {mnuNewProject, &ProjectPage::CreateProject},    {N9, &ProjectPage::CreateProject},
        {mnuOpenProject, &ProjectPage::OpenProjectFile}, {N7, &ProjectPage::OpenProjectFile},
        {mnuSaveProject, &ProjectPage::SaveProjectFile}, {N4, &ProjectPage::SaveProjectFile},
    };
    for (const auto& route : projectRoutes)
        connect(route.action, &QAction::triggered, projectPage, route.command);
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

} // namespace tamble
