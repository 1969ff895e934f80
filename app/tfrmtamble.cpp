#include "app/tfrmtamble.h"

#include "app/pageslot.h"
#include "app/placement.h"
#include "app/tfrmoption.h"
#include "app/tfrmoutput.h"
#include "core/errortext.h"
#include "fileview/fileviewpage.h"
#include "launcher/launcherpage.h"
#include "platform/codepage.h"
#include "platform/nativepath.h"
#include "platform/qt/firstpaint.h"
#include "platform/qt/taskbarhint.h"
#include "project/projectpage.h"
#include "widgets/appstyle.h"
#include "widgets/escapehook.h"
#include "widgets/formnames.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace tamble {

namespace {

using platform::Cp932;

constexpr int kDesignLeft = 282;
constexpr int kDesignTop = 108;
constexpr int kDesignWidth = 273;
constexpr int kDesignHeight = 537;
constexpr int kBevelHeight = 4;
constexpr int kStatusBarHeight = 19;
constexpr const char* kAboutNotice = "プログラマのための小さなユーティリティ";

} // namespace

TfrmTamble::TfrmTamble(ShellEnvironment environment, QWidget* parent)
    : QMainWindow(parent), env_(std::move(environment)) {
    setObjectName(QStringLiteral("frmTamble"));
    setFont(MainFont());
    setWindowIcon(ProgramIcon());
    setMinimumWidth(kMainWindowMinWidth);
    setGeometry(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Bevel1 = Named(new QFrame(central), "Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(kBevelHeight);
    column->addWidget(Bevel1);
    PageControl = Named(new QTabWidget(central), "PageControl");
    PageControl->setTabPosition(QTabWidget::South);
    // Narrow tabs, so that all three fit the narrowest window.
    MakeCompact(*PageControl->tabBar());
    column->addWidget(PageControl, 1);
    setCentralWidget(central);
    CreateMenus();
    CreatePages();

    StatusBar = Named(new QStatusBar(this), "StatusBar");
    StatusBar->setFixedHeight(kStatusBarHeight);
    StatusBar->setSizeGripEnabled(false);
    StatusText = Named(new QLabel(StatusBar), "StatusText");
    StatusBar->addWidget(StatusText, 1);
    setStatusBar(StatusBar);

    CreateTray();
    ConnectHandlers();
    setAcceptDrops(true);
    FormCreate();
}

TfrmTamble::~TfrmTamble() {
    // Removing the tabs as the children go selects other tabs: no page is
    // to be built for a window on its way out.
    disconnect(PageControl, nullptr, this, nullptr);
}

void TfrmTamble::FormCreate() {
    setWindowTitle(QString::fromLatin1(kVersionCaption));
    ScreenRect workArea;
    if (const QScreen* primary = screen()) {
        const QRect area = primary->availableGeometry();
        workArea = {area.left(), area.top(), area.left() + area.width(),
                    area.top() + area.height()};
    }
    std::error_code noFile;
    const bool firstStart =
        !std::filesystem::exists(platform::NativePath(env_.settingsPath), noFile);
    Settings settings = LoadSettings(env_.settingsPath.c_str(), workArea);
    if (env_.startFolder) {
        // The folder asked for is the first thing shown; the page the
        // settings name would only be built for a frame never seen.
        settings.ActivePage = kFilePage;
        settings.PathAddressText = platform::Utf8ToCp932(*env_.startFolder);
    }
    ApplySettings(settings, firstStart);
    // The folder tree opens the folder named in cmbPathAddress, so it is
    // built after the settings have filled that box.
    filePage_->BuildFolderTree();
    // Only now: the settings' choice of page builds that page alone.
    BuildPage(PageControl->currentIndex());
    connect(PageControl, &QTabWidget::currentChanged, this, &TfrmTamble::BuildPage);
}

void TfrmTamble::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    SaveSettingsFile();
    // An item page never built never read item.lst: writing its empty list
    // would wipe the file's items.
    if (itemSlot_->Built()) BuiltLauncherPage().SaveLauncherItems();
    TrayIcon1->hide();
    emit Closed();
}

void TfrmTamble::BuildPage(int index) {
    if (index == kProjectPage) {
        BuiltProjectPage();
    } else if (index == kItemPage) {
        BuiltLauncherPage();
    }
}

ProjectPage& TfrmTamble::BuiltProjectPage() {
    return *static_cast<ProjectPage*>(projectSlot_->Page());
}

LauncherPage& TfrmTamble::BuiltLauncherPage() {
    return *static_cast<LauncherPage*>(itemSlot_->Page());
}

void TfrmTamble::closeEvent(QCloseEvent* event) {
    // Closing always ends the program; it never merely hides the window.
    FormDestroy();
    event->accept();
}

void TfrmTamble::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    NoteFrame();
}

void TfrmTamble::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    NoteFrame();
}

void TfrmTamble::NoteFrame() {
    // The window manager puts its frame around the window some time after
    // the window is shown, and says so with a move or a resize: only then is
    // the outer size exact.
    if (!frameKnown_ && isVisible() && frameGeometry().size() != size()) {
        frameKnown_ = true;
        ApplyOuterSize();
    }
}

bool TfrmTamble::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StatusBar && event->type() == QEvent::MouseButtonDblClick) {
        StatusBarDblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmTamble::StatusBarDblClick() {
    TfrmOutput output(filePage_->State().clipboard.ClipboardFiles, this);
    EscapeHook hook(&output, [&output] { output.reject(); });
    output.exec();
}

void TfrmTamble::RenewStatusBar() {
    StatusText->setText(platform::FromCp932(filePage_->State().StatusLine()));
}

void TfrmTamble::N1Click() {
    close();
}

void TfrmTamble::N30Click() {
    const std::string text = std::string(kVersionCaption) + "\n" + Cp932(kAboutNotice);
    Prompts().Message(text, Cp932("バージョン情報"), platform::PromptIcon::None);
}

void TfrmTamble::mnuOptionClick() {
    TfrmOption option(*this);
    option.exec();
}

void TfrmTamble::mnuAllOpenEditorClick() {
    options_.AllOpenEditor = mnuAllOpenEditor->isChecked();
}

void TfrmTamble::mnuRowSelectModeClick() {
    options_.RowSelectMode = mnuRowSelectMode->isChecked();
    filePage_->SetRowSelectMode(options_.RowSelectMode);
}

void TfrmTamble::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !inTray_) {
        // Hiding inside the state change confuses some window managers;
        // do it once the event has been handled.
        QTimer::singleShot(0, this, &TfrmTamble::MinimizeToTray);
    }
}

void TfrmTamble::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    NoteFrame();
    // Only once the window manager has mapped the window can it be asked
    // to leave it out of the taskbar; each show maps it anew. Without an
    // icon in a notification area the button is the only way back to a
    // minimized window, so it stays.
    QTimer::singleShot(0, this, [this] {
        platform::SetTaskbarButton(this, !TrayShown());
        NoteFrame();
    });
}

void TfrmTamble::MinimizeToTray() {
    if (!TrayShown()) {
        // The notification area may have gone since the window was shown
        // without a taskbar button.
        platform::SetTaskbarButton(this, true);
        if (!isMinimized()) showMinimized();
        return;
    }
    inTray_ = true;
    hide();
}

bool TfrmTamble::TrayAvailable() const {
    return env_.trayAvailable ? *env_.trayAvailable : QSystemTrayIcon::isSystemTrayAvailable();
}

bool TfrmTamble::TrayShown() const {
    return TrayIcon1->isVisible() && TrayAvailable();
}

void TfrmTamble::ShowTrayIcon() {
    // Without a notification area there is no icon; the window then
    // minimizes like any other instead of failing to start.
    if (!TrayAvailable()) return;
    TrayIcon1->show();
    if (isVisible()) platform::SetTaskbarButton(this, false);
}

void TfrmTamble::RestoreFromTray() {
    inTray_ = false;
    showNormal();
    raise();
    activateWindow();
    TrayIcon1Restore();
}

void TfrmTamble::TrayIcon1Restore() {
    // On Windows the hidden application window would show a taskbar button
    // again here; a Qt main window has no such second window to hide.
}

void TfrmTamble::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmTamble::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        // A file URL's path has '/' separators also on Windows.
        if (url.isLocalFile())
            files.push_back(platform::ToCp932(QDir::toNativeSeparators(url.toLocalFile())));
    }
    if (files.empty()) return;
    const QPoint at = event->position().toPoint();
    const int page = PageControl->currentIndex();
    if (page == kProjectPage) {
        ProjectPage& projects = BuiltProjectPage();
        projects.DropFiles(files, projects.mapFrom(this, at));
    } else if (page == kItemPage) {
        LauncherPage& items = BuiltLauncherPage();
        items.DropOnLauncher(files, items.mapFrom(this, at));
    }
    event->acceptProposedAction();
}

} // namespace tamble
