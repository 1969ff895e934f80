// FileContextMenus: the context menus of the file view, PopupMenu5 on the
// folder tree TreeViewDirectory and PopupMenuFileList on the file list
// ListViewFile, with their shortcuts, which act while that control has the
// keyboard focus. The handlers turn the controls' selection into calls on
// the clipboard and the file commands (fileclipboard.h, filecommands.h)
// and refresh the tree or the list through the FileViewPage afterwards.
//
// Folder commands of the tree act on the selected node's folder: right
// after keyboard moves in the tree the list may still show the previous
// folder, and a Delete must never reach that one instead.
//
// Every command that changes files acts on the folder the page listed
// (FileViewPage::ListedFolder), reaching it through its handle: when its
// path no longer names that folder (renamed, or swapped for a link), at
// the command or once its question is answered, the command refuses with
// a box naming the folder and the list is filled afresh. A folder command
// holds the folder above the listed one instead, checked to hold it. The
// clipboard holds the folder its entries came from in the same way.
#pragma once

#include "platform/fileops/shellcommon.h"
#include "platform/heldfolder.h"

#include <QObject>

#include <initializer_list>

#include <string>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace tamble {

class FileViewPage;
struct AppOptions;
struct FileViewState;
struct ToolState;

// The page's controls the menus sit on and act on.
struct FileMenuControls {
    QTreeWidget* tree; // TreeViewDirectory
    QTreeView* list;   // ListViewFile
};

// What the commands read and change: the page's state (its folder, its
// clipboard), the options, and the batch tools' histories.
struct FileMenuState {
    FileViewState& view;
    AppOptions& options;
    ToolState& tools;
};

class FileContextMenus : public QObject {
    Q_OBJECT

public:
    // Menus of page, on its controls. owner asks the questions and shows
    // progress (prompts must not be null); a shellWindow of 0 is page's
    // window. What state refers to outlives the menus.
    FileContextMenus(FileViewPage& page, FileMenuControls controls, FileMenuState state,
                     platform::ShellOwner owner);

    // --- PopupMenu5, on TreeViewDirectory
    QMenu* PopupMenu5 = nullptr;
    QAction* GrepG1 = nullptr; // "文字列の検索(&G)", Ctrl+F
    QAction* F1 = nullptr;     // "ファイルの検索(&F)", always disabled
    QAction* T2 = nullptr;     // "切り取り(&T)", Ctrl+X
    QAction* C1 = nullptr;     // "コピー(&C)", Ctrl+C
    QAction* V2 = nullptr;     // "貼り付け(&P)", Ctrl+V
    QAction* D2 = nullptr;     // "ごみ箱に削除(&D)", Del
    QAction* D1 = nullptr;     // "削除(&E)", Shift+Del
    QAction* N25 = nullptr;    // "マスクを指定して削除(&M)"
    QAction* R4 = nullptr;     // "名前の変更(&M)", F2
    QAction* E2 = nullptr;     // "エクスプローラを開く(&X)"
    QAction* N23 = nullptr;    // "フォルダの新規作成(&W)"
    QAction* R2 = nullptr;     // "最新の状態に更新(&R)", F5

    // --- PopupMenuFileList, on ListViewFile (R1 and A1 are the page's)
    QMenu* PopupMenuFileList = nullptr;
    QAction* N18 = nullptr; // "指定のエディタで開く(&O)", Enter
    QAction* O1 = nullptr;  // "開く(&Q)", Shift+Enter
    QAction* N12 = nullptr; // "文字列の検索(&F)", Ctrl+F
    QAction* T1 = nullptr;  // "切り取り(&T)", Ctrl+X
    QAction* N13 = nullptr; // "コピー(&C)", Ctrl+C
    QAction* V1 = nullptr;  // "貼り付け(&P)", Ctrl+V
    QAction* N26 = nullptr; // "ファイルの複製"
    QAction* N14 = nullptr; // "ごみ箱に削除(&D)", Del
    QAction* E1 = nullptr;  // "削除(&E)", Shift+Del
    QAction* R3 = nullptr;  // "名前の変更(&M)", F2
    QAction* W1 = nullptr;  // "ファイルの新規作成(&W)"

public slots:
    void TreeViewDirectoryContextPopup(const QPoint& at);
    void ListViewFileContextPopup(const QPoint& at);

    void GrepG1Click();
    void T2Click();
    void C1Click();
    void V2Click();
    void D2Click();
    void D1Click();
    void N25Click();
    void R4Click();
    void E2Click();
    void N23Click();
    void R2Click();

    void N18Click();
    void O1Click();
    void N12Click();
    void T1Click();
    void N13Click();
    void V1Click();
    void N26Click();
    void N14Click();
    void E1Click();
    void R3Click();
    void W1Click();

private:
    void CreateTreeMenu();
    void CreateListMenu();
    void ConnectHandlers();

    // The selected tree node, with CurrentPath made its folder; null when none.
    QTreeWidgetItem* SelectedFolderNode();
    [[nodiscard]] QTreeWidgetItem* SelectedNode() const;
    [[nodiscard]] std::vector<std::string> DriveRoots() const;
    [[nodiscard]] std::vector<std::string> SelectedFiles() const;
    [[nodiscard]] std::string FirstSelectedFile() const;
    void CutOrCopyFolder(int mode);
    void CutOrCopyFiles(int mode);
    void PasteInto(bool fromTree);
    void DeleteSelectedFolder(bool toTrash);
    void DeleteSelectedFiles(bool toTrash);
    // Lists node's parent afresh and selects it, or the child whose folder is select.
    void ReopenParent(QTreeWidgetItem* node, const std::string& select);
    void RefillFileList();
    // Whether the listed folder is still the folder its path names; if not,
    // says so in a box and fills the list afresh.
    bool ListedFolderShown();
    // Fills the list afresh when its folder is no longer the one its path
    // names (a command refused it after its question).
    void RefillIfFolderChanged();
    // Holds in parent the folder above the listed one, checked to hold it
    // under its name; false (after the box and a refill) when the listed
    // folder is no longer the folder its path names. A drive root has no
    // folder above it: parent then stays closed.
    bool HoldListedParent(platform::HeldFolder& parent);
    // Lets go of the listed folder (and the clipboard's hold on it) before
    // a command renames or deletes that folder itself.
    void ReleaseListedFolder();
    // The owner of a command: owner_, with the page's window when it names none.
    [[nodiscard]] platform::ShellOwner Owner() const;
    // The owner of a command, holding the open ones of folders.
    [[nodiscard]] platform::ShellOwner
    Holding(std::initializer_list<const platform::HeldFolder*> folders) const;

    FileViewPage& page_;
    FileMenuControls controls_;
    FileViewState& state_;
    AppOptions& options_;
    ToolState& tools_;
    platform::ShellOwner owner_;
    // The folder the clipboard's entries are in, held since the cut or copy.
    platform::HeldFolder clippedFolder_;
};

} // namespace tamble
