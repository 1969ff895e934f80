#include "fileview/filecontextmenus.h"

#include "external/externalprograms.h"
#include "fileview/fileclipboard.h"
#include "fileview/filecommands.h"
#include "fileview/fileviewpage.h"
#include "fileview/fileviewstate.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/qt/shellwindow.h"
#include "tools/tfrmcopyfiles.h"
#include "tools/tfrmdeletefilesfrommask.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

namespace tamble {
namespace {

constexpr const char* kMenusName = "FileContextMenus";

// An entry of menu whose shortcuts act while widget has the focus.
QAction* AddEntry(QMenu* menu, QWidget* widget, const char* name, const QString& caption,
                  const QList<QKeySequence>& shortcuts = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcuts.isEmpty()) {
        action->setShortcuts(shortcuts);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        widget->addAction(action);
    }
    return action;
}

QList<QKeySequence> Keys(QKeyCombination key) {
    return {QKeySequence(key)};
}

// Enter is both the main keyboard's Return and the keypad's Enter.
QList<QKeySequence> EnterKeys(Qt::KeyboardModifiers modifiers) {
    return {QKeySequence(modifiers | Qt::Key_Return), QKeySequence(modifiers | Qt::Key_Enter)};
}

} // namespace

FileContextMenus::FileContextMenus(FileViewPage& page, FileMenuControls controls,
                                   FileMenuState state, platform::ShellOwner owner)
    : QObject(&page), page_(page), controls_(controls), state_(state.view), options_(state.options),
      tools_(state.tools), owner_(std::move(owner)) {
    setObjectName(QString::fromLatin1(kMenusName));
    CreateTreeMenu();
    CreateListMenu();
    ConnectHandlers();
}

void FileContextMenus::CreateTreeMenu() {
    QTreeWidget* tree = controls_.tree;
    PopupMenu5 = new QMenu(tree);
    PopupMenu5->setObjectName(QStringLiteral("PopupMenu5"));
    QMenu* menu = PopupMenu5;
    GrepG1 = AddEntry(menu, tree, "GrepG1", QStringLiteral("文字列の検索(&G)"),
                      Keys(Qt::CTRL | Qt::Key_F));
    menu->addSeparator();
    F1 = AddEntry(menu, tree, "F1", QStringLiteral("ファイルの検索(&F)"));
    F1->setEnabled(false);
    menu->addSeparator();
    T2 = AddEntry(menu, tree, "T2", QStringLiteral("切り取り(&T)"), Keys(Qt::CTRL | Qt::Key_X));
    C1 = AddEntry(menu, tree, "C1", QStringLiteral("コピー(&C)"), Keys(Qt::CTRL | Qt::Key_C));
    V2 = AddEntry(menu, tree, "V2", QStringLiteral("貼り付け(&P)"), Keys(Qt::CTRL | Qt::Key_V));
    menu->addSeparator();
    D2 = AddEntry(menu, tree, "D2", QStringLiteral("ごみ箱に削除(&D)"), Keys(Qt::Key_Delete));
    D1 = AddEntry(menu, tree, "D1", QStringLiteral("削除(&E)"), Keys(Qt::SHIFT | Qt::Key_Delete));
    N25 = AddEntry(menu, tree, "N25", QStringLiteral("マスクを指定して削除(&M)"));
    R4 = AddEntry(menu, tree, "R4", QStringLiteral("名前の変更(&M)"), Keys(Qt::Key_F2));
    menu->addSeparator();
    E2 = AddEntry(menu, tree, "E2", QStringLiteral("エクスプローラを開く(&X)"));
    menu->addSeparator();
    N23 = AddEntry(menu, tree, "N23", QStringLiteral("フォルダの新規作成(&W)"));
    menu->addSeparator();
    R2 = AddEntry(menu, tree, "R2", QStringLiteral("最新の状態に更新(&R)"), Keys(Qt::Key_F5));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
}

void FileContextMenus::CreateListMenu() {
    QTreeView* list = controls_.list;
    PopupMenuFileList = new QMenu(list);
    PopupMenuFileList->setObjectName(QStringLiteral("PopupMenuFileList"));
    QMenu* menu = PopupMenuFileList;
    N18 = AddEntry(menu, list, "N18", QStringLiteral("指定のエディタで開く(&O)"),
                   EnterKeys(Qt::NoModifier));
    O1 = AddEntry(menu, list, "O1", QStringLiteral("開く(&Q)"), EnterKeys(Qt::ShiftModifier));
    menu->addSeparator();
    N12 =
        AddEntry(menu, list, "N12", QStringLiteral("文字列の検索(&F)"), Keys(Qt::CTRL | Qt::Key_F));
    menu->addSeparator();
    T1 = AddEntry(menu, list, "T1", QStringLiteral("切り取り(&T)"), Keys(Qt::CTRL | Qt::Key_X));
    N13 = AddEntry(menu, list, "N13", QStringLiteral("コピー(&C)"), Keys(Qt::CTRL | Qt::Key_C));
    V1 = AddEntry(menu, list, "V1", QStringLiteral("貼り付け(&P)"), Keys(Qt::CTRL | Qt::Key_V));
    menu->addSeparator();
    N26 = AddEntry(menu, list, "N26", QStringLiteral("ファイルの複製"));
    menu->addSeparator();
    N14 = AddEntry(menu, list, "N14", QStringLiteral("ごみ箱に削除(&D)"), Keys(Qt::Key_Delete));
    E1 = AddEntry(menu, list, "E1", QStringLiteral("削除(&E)"), Keys(Qt::SHIFT | Qt::Key_Delete));
    R3 = AddEntry(menu, list, "R3", QStringLiteral("名前の変更(&M)"), Keys(Qt::Key_F2));
    menu->addSeparator();
    W1 = AddEntry(menu, list, "W1", QStringLiteral("ファイルの新規作成(&W)"));
    menu->addSeparator();
    // The page's own entries: refill the list, select every row.
    menu->addAction(page_.R1);
    menu->addAction(page_.A1);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
}

void FileContextMenus::ConnectHandlers() {
    connect(controls_.tree, &QWidget::customContextMenuRequested, this,
            &FileContextMenus::TreeViewDirectoryContextPopup);
    connect(controls_.list, &QWidget::customContextMenuRequested, this,
            &FileContextMenus::ListViewFileContextPopup);
    const struct {
        QAction* action;
        void (FileContextMenus::*handler)();
    } routes[] = {
        {GrepG1, &FileContextMenus::GrepG1Click}, {T2, &FileContextMenus::T2Click},
        {C1, &FileContextMenus::C1Click},         {V2, &FileContextMenus::V2Click},
        {D2, &FileContextMenus::D2Click},         {D1, &FileContextMenus::D1Click},
        {N25, &FileContextMenus::N25Click},       {R4, &FileContextMenus::R4Click},
        {E2, &FileContextMenus::E2Click},         {N23, &FileContextMenus::N23Click},
        {R2, &FileContextMenus::R2Click},         {N18, &FileContextMenus::N18Click},
        {O1, &FileContextMenus::O1Click},         {N12, &FileContextMenus::N12Click},
        {T1, &FileContextMenus::T1Click},         {N13, &FileContextMenus::N13Click},
        {V1, &FileContextMenus::V1Click},         {N26, &FileContextMenus::N26Click},
        {N14, &FileContextMenus::N14Click},       {E1, &FileContextMenus::E1Click},
        {R3, &FileContextMenus::R3Click},         {W1, &FileContextMenus::W1Click},
    };
    for (const auto& route : routes)
        connect(route.action, &QAction::triggered, this, route.handler);
}

void FileContextMenus::TreeViewDirectoryContextPopup(const QPoint& at) {
    PopupMenu5->popup(controls_.tree->viewport()->mapToGlobal(at));
}

void FileContextMenus::ListViewFileContextPopup(const QPoint& at) {
    PopupMenuFileList->popup(controls_.list->viewport()->mapToGlobal(at));
}

// --- Selection

QTreeWidgetItem* FileContextMenus::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = controls_.tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem* FileContextMenus::SelectedFolderNode() {
    QTreeWidgetItem* node = SelectedNode();
    // Lists the node now if the key timer has not yet; listing makes
    // CurrentPath its folder.
    if (node != nullptr && page_.NodePath(node) != state_.CurrentPath) RefillFileList();
    return node;
}

std::vector<std::string> FileContextMenus::DriveRoots() const {
    std::vector<std::string> roots;
    QTreeWidget* tree = controls_.tree;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        roots.push_back(page_.NodePath(tree->topLevelItem(i)));
    return roots;
}

std::vector<std::string> FileContextMenus::SelectedFiles() const {
    return page_.SelectedFileNames();
}

std::string FileContextMenus::FirstSelectedFile() const {
    const std::vector<std::string> names = SelectedFiles();
    return names.empty() ? std::string() : names.front();
}

void FileContextMenus::RefillFileList() {
    state_.ForceFileListUpdate = true;
    page_.UpdateFileList();
}

bool FileContextMenus::ListedFolderShown() {
    const platform::HeldFolder& listed = page_.ListedFolder();
    if (listed.StillNamed()) return true;
    const std::string& path = state_.CurrentPath;
    if (path.empty()) return false; // nothing listed yet: nothing to act on
    owner_.prompts->Message(
        platform::FolderChangedText(listed.IsOpen() ? listed.Path() : platform::Cp932ToUtf8(path)),
        platform::Cp932("エラー"), platform::PromptIcon::Error);
    RefillFileList();
    return false;
}

void FileContextMenus::RefillIfFolderChanged() {
    if (!page_.ListedFolder().StillNamed()) RefillFileList();
}

bool FileContextMenus::HoldListedParent(platform::HeldFolder& parent) {
    parent.Close();
    if (!ListedFolderShown()) return false;
    const platform::PathStyle style = platform::NativePathStyle();
    const std::string& path = state_.CurrentPath;
    const std::vector<std::string> parts = platform::PathComponents(style, path);
    const std::optional<std::string> above =
        platform::FileSystemName(platform::ParentPath(style, path));
    const std::optional<std::string> name =
        platform::FileSystemName(parts.empty() ? std::string() : parts.back());
    if (parts.size() < 2 || !above || !name) return true; // a drive: refused as such later
    platform::EntryIdentity id;
    if (parent.Open(*above) == 0 && parent.EntryIdentityOf(*name, id) == 0 &&
        (id == page_.ListedFolder().Identity() || !platform::IsFolderIdentity(id)))
        return true;
    // The folder above now holds another folder of that name: the path
    // changed between the two looks.
    parent.Close();
    return ListedFolderShown();
}

platform::ShellOwner FileContextMenus::Owner() const {
    platform::ShellOwner owner = owner_;
    // Asked at the command, not when the menus are made: the window's
    // handle makes it a native window, which before it is shown would
    // change how its size is applied.
    if (owner.shellWindow == 0) owner.shellWindow = platform::ShellOwnerWindow(page_.window());
    return owner;
}

platform::ShellOwner
FileContextMenus::Holding(std::initializer_list<const platform::HeldFolder*> folders) const {
    platform::ShellOwner owner = Owner();
    for (const platform::HeldFolder* folder : folders) {
        if (folder->IsOpen()) owner.heldFolders.push_back(folder);
    }
    return owner;
}

void FileContextMenus::ReopenParent(QTreeWidgetItem* node, const std::string& select) {
    QTreeWidgetItem* parent = node->parent();
    if (parent == nullptr) return;
    QTreeWidget* tree = controls_.tree;
    // The node goes when its parent is listed afresh; the parent takes the
    // selection, so that the list shows a folder that still exists.
    tree->setCurrentItem(parent);
    page_.OpenFolderNode(parent);
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        if (page_.NodePath(child) == select) {
            tree->setCurrentItem(child);
            page_.UpdateFileList();
            return;
        }
    }
}

// --- Folder tree

void FileContextMenus::GrepG1Click() {
    SelectedFolderNode();
    RunStringSearch(options_, *owner_.prompts, options_.SearchStringAppCmdLineA, state_.CurrentPath,
                    FirstSelectedFile());
}

void FileContextMenus::CutOrCopyFolder(int mode) {
    if (SelectedFolderNode() != nullptr && HoldListedParent(clippedFolder_))
        ClipFolder(state_.clipboard, state_.CurrentPath, mode);
    emit page_.StatusTextChanged();
}

void FileContextMenus::T2Click() {
    CutOrCopyFolder(kClipboardCut);
}

void FileContextMenus::C1Click() {
    CutOrCopyFolder(kClipboardCopied);
}

void FileContextMenus::PasteInto(bool fromTree) {
    // The list's paste goes into the folder the list shows, but it too
    // needs a selected node.
    QTreeWidgetItem* node = fromTree ? SelectedFolderNode() : SelectedNode();
    if (node == nullptr || state_.clipboard.ClipboardFiles.empty() || !ListedFolderShown()) return;
    if (!PasteClipboard(state_.clipboard, Holding({&page_.ListedFolder(), &clippedFolder_}),
                        state_.CurrentPath, DriveRoots())) {
        RefillIfFolderChanged();
        return;
    }
    if (fromTree) {
        page_.OpenFolderNode(node); // pasted folders show in the tree
    } else {
        RefillFileList();
    }
}

void FileContextMenus::V2Click() {
    PasteInto(true);
}

void FileContextMenus::ReleaseListedFolder() {
    // A held folder cannot be renamed or deleted on Windows, not even by
    // this program.
    if (clippedFolder_.Identity() == page_.ListedFolder().Identity()) clippedFolder_.Close();
    page_.ReleaseListedFolder();
}

void FileContextMenus::DeleteSelectedFolder(bool toTrash) {
    QTreeWidgetItem* node = SelectedFolderNode();
    platform::HeldFolder parent;
    if (node == nullptr || !HoldListedParent(parent)) return;
    ReleaseListedFolder();
    if (DeleteFolder(Holding({&parent}), state_.CurrentPath, toTrash, DriveRoots())) {
        ReopenParent(node, std::string());
    } else {
        RefillFileList(); // holds the folder again, or shows what its path names now
    }
}

void FileContextMenus::D2Click() {
    DeleteSelectedFolder(true);
}

void FileContextMenus::D1Click() {
    DeleteSelectedFolder(false);
}

void FileContextMenus::N25Click() {
    // The dialog deletes in CurrentPath: it must be the folder the user sees selected.
    SelectedFolderNode();
    ShowDeleteFilesFromMask(page_.window(), state_.CurrentPath, options_, tools_, Owner());
    RefillFileList();
}

void FileContextMenus::R4Click() {
    QTreeWidgetItem* node = SelectedFolderNode();
    platform::HeldFolder parent;
    if (node == nullptr || !HoldListedParent(parent)) return;
    ReleaseListedFolder();
    const std::optional<std::string> renamed = RenameFolder(
        Holding({&parent}), state_.CurrentPath, platform::ToCp932(node->text(0)), DriveRoots());
    if (renamed) {
        ReopenParent(node, *renamed);
    } else {
        RefillFileList();
    }
}

void FileContextMenus::E2Click() {
    SelectedFolderNode();
    OpenExplorer(state_.CurrentPath);
}

void FileContextMenus::N23Click() {
    QTreeWidgetItem* node = SelectedFolderNode();
    if (node == nullptr || !ListedFolderShown()) return;
    if (!CreateNewFolder(Holding({&page_.ListedFolder()}), state_.CurrentPath)) {
        RefillIfFolderChanged();
        return;
    }
    page_.OpenFolderNode(node);
}

void FileContextMenus::R2Click() {
    if (QTreeWidgetItem* node = SelectedNode()) page_.OpenFolderNode(node);
}

// --- File list

void FileContextMenus::N18Click() {
    const platform::PathStyle style = platform::NativePathStyle();
    for (const std::string& name : SelectedFiles()) {
        OpenInEditor(options_, platform::JoinPath(style, state_.CurrentPath, name));
    }
}

void FileContextMenus::O1Click() {
    const platform::PathStyle style = platform::NativePathStyle();
    for (const std::string& name : SelectedFiles())
        ShellOpenFile(platform::JoinPath(style, state_.CurrentPath, name));
}

void FileContextMenus::N12Click() {
    const std::string first = FirstSelectedFile();
    if (first.empty()) return;
    RunStringSearch(options_, *owner_.prompts, options_.SearchStringAppCmdLineB, state_.CurrentPath,
                    first);
}

void FileContextMenus::CutOrCopyFiles(int mode) {
    const std::vector<std::string> names = SelectedFiles();
    if (!names.empty() && ListedFolderShown() &&
        ClipFiles(state_.clipboard, state_.CurrentPath, names, mode))
        (void)clippedFolder_.OpenSame(page_.ListedFolder());
    emit page_.StatusTextChanged();
}

void FileContextMenus::T1Click() {
    CutOrCopyFiles(kClipboardCut);
}

void FileContextMenus::N13Click() {
    CutOrCopyFiles(kClipboardCopied);
}

void FileContextMenus::V1Click() {
    PasteInto(false);
}

void FileContextMenus::N26Click() {
    const std::string first = FirstSelectedFile();
    // The dialog sets DuplicateFilePath to the row's file and copies from it.
    if (!first.empty()) ShowCopyFiles(page_.window(), state_.CurrentPath, tools_, first, Owner());
}

void FileContextMenus::DeleteSelectedFiles(bool toTrash) {
    const std::vector<std::string> names = SelectedFiles();
    if (names.empty() || !ListedFolderShown()) return;
    if (DeleteFiles(Holding({&page_.ListedFolder()}), state_.CurrentPath, names, toTrash)) {
        RefillFileList();
    } else {
        RefillIfFolderChanged();
    }
}

void FileContextMenus::N14Click() {
    DeleteSelectedFiles(true);
}

void FileContextMenus::E1Click() {
    DeleteSelectedFiles(false);
}

void FileContextMenus::R3Click() {
    const std::string first = FirstSelectedFile();
    if (first.empty() || !ListedFolderShown()) return;
    if (RenameFile(Holding({&page_.ListedFolder()}), state_.CurrentPath, first)) {
        RefillFileList();
    } else {
        RefillIfFolderChanged();
    }
}

void FileContextMenus::W1Click() {
    if (!ListedFolderShown()) return;
    if (CreateNewFile(Holding({&page_.ListedFolder()}), state_.CurrentPath)) {
        RefillFileList();
    } else {
        RefillIfFolderChanged();
    }
}

} // namespace tamble
