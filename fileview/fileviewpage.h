// FileViewPage: the "FileView" page, the folder tree TreeViewDirectory and
// the file list ListViewFile with the address box, the narrowing box and
// the filter box around them, and their context menus. The page builds and
// owns these controls, the tree's images, the icon cache's images and the
// key timer; it tells the window through signals when the status text has
// changed. The rules it follows live in foldertree.h and filelist.h.
#pragma once

#include "fileview/extensionicons.h"
#include "fileview/filelist.h"
#include "fileview/filelisting.h"
#include "fileview/fileviewstate.h"
#include "fileview/subfolderprobe.h"
#include "platform/direntries.h"
#include "platform/heldfolder.h"
#include "widgets/fileicons.h"

#include "core/combohistory.h"
#include "platform/fileops/shellcommon.h"

#include <QIcon>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QItemSelection;
class QComboBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QTimer;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace tamble {

class FileContextMenus;
class FileListModel;
struct AppOptions;
struct ToolState;

// The double-click's opening: ShellOpenFile when byShell, else OpenInEditor.
void OpenWithExternalProgram(const AppOptions& options, const std::string& path, bool byShell);

// What the page takes from the system; tests replace parts of it.
struct FileViewServices {
    std::function<std::vector<platform::Drive>()> drives = platform::ListDrives;
    // Opens the file at path (CP932): with its default application when
    // byShell, else in the editor the options name.
    std::function<void(const AppOptions& options, const std::string& path, bool byShell)> openFile =
        OpenWithExternalProgram;
    // Who asks, who shows progress and where the trash is, for the context
    // menus' file commands and the batch tools' dialogs; homeTrash "" is the
    // user's trash.
    platform::ShellOwner owner;
};

class FileViewPage : public QWidget {
    Q_OBJECT

public:
    // Builds the page's controls and menus. options and tools are shared
    // with the window and outlive the page; services.owner.prompts must not
    // be null.
    FileViewPage(AppOptions& options, ToolState& tools, FileViewServices services,
                 QWidget* parent = nullptr);

    // The folder listed, the icon cache, the status texts, the clipboard.
    [[nodiscard]] const FileViewState& State() const { return state_; }
    ~FileViewPage() override;

    // --- What the window shows and keeps
    // Shows folder (CP932 full path) as if typed into the address box.
    void ShowFolder(const std::string& folder);
    // The filter box's history, first entry selected.
    [[nodiscard]] HistoryList FilterItems() const;
    void SetFilterItems(const HistoryList& items);
    // The address box's history and its text.
    [[nodiscard]] HistoryList AddressItems() const;
    [[nodiscard]] std::string AddressText() const;
    void SetAddress(const HistoryList& items, const std::string& text);
    // The folder tree's height; one asked for before the page is laid out
    // is applied once it is.
    [[nodiscard]] int TreeHeight() const;
    void SetTreeHeight(int height);
    // The keep box and the list's selection by cell (RowSelectMode) or row.
    [[nodiscard]] bool NarrowKeep() const;
    void SetNarrowKeep(bool keep);
    void SetRowSelectMode(bool byCell);
    [[nodiscard]] FileContextMenus& Menus() const { return *menus_; }

    // --- Folder tree
    void BuildFolderTree();
    void LoadFolderImages();
    // The folder a tree node stands for.
    [[nodiscard]] std::string NodePath(const QTreeWidgetItem* node) const;
    // Lists node's subfolders afresh, then refills the file list.
    void OpenFolderNode(QTreeWidgetItem* node);
    // Selects the folder path names, as deep as the tree matches it, and
    // records the address box's text in its history.
    void NavigateToPath(const std::string& path);

    // --- File list
    // Refills the list for the selected node when it is not the listed one
    // or ForceFileListUpdate is set.
    void UpdateFileList();
    // Appends the image of the drive whose root (CP932) is root to
    // imageListFolder_; returns its index.
    int AddDriveImage(const std::string& root);
    // The captions of the selected rows, in list order (CP932).
    [[nodiscard]] std::vector<std::string> SelectedFileNames() const;

    // The folder the list shows, held open from before it was listed: the
    // commands on its rows act on it, and refuse once its path names
    // another folder. Holds nothing when it could not be opened.
    [[nodiscard]] const platform::HeldFolder& ListedFolder() const { return listedFolder_; }
    // Lets go of the listed folder, so that the system lets a command
    // rename or delete the folder itself (Windows holds it against both).
    void ReleaseListedFolder() { listedFolder_.Close(); }

    // The node whose files the list shows; null when none.
    [[nodiscard]] QTreeWidgetItem* ListedNode() const { return listedNode_; }

    QTimer* TimerFileListUpdate = nullptr;
    int TreeKeyTicks = 0;
    QAction* R1 = nullptr; // "最新の状態に更新(&R)", F5
    QAction* A1 = nullptr; // "すべて選択(&A)", Ctrl+A

signals:
    // The selection's or the clipboard's part of the status line changed.
    void StatusTextChanged();

public slots:
    void TreeViewDirectoryExpanded(QTreeWidgetItem* node);
    void TreeViewDirectoryCollapsed(QTreeWidgetItem* node);
    void TreeViewDirectoryKeyDown(int key, Qt::KeyboardModifiers shift);
    void TreeViewDirectoryMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                    int y);
    void TimerFileListUpdateTimer();
    void cmbFilterSelect(int index);
    void cmbFilterKeyDown(int key, Qt::KeyboardModifiers shift);
    void edtNarrowChange();
    void cmbPathAddressKeyDown(int key, Qt::KeyboardModifiers shift);
    void ListViewFileSelectItem();
    void ListViewFileDblClick(Qt::KeyboardModifiers shift);
    void R1Click();
    void A1Click();
    void C2Click();
    void chkNarrowKeepClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TreeWalk;

    // Builders of the controls (fileviewpage_controls.cpp).
    void CreateControls();
    // Places the narrowing and filter boxes for the page's width.
    void LayOutPanels();
    void ApplyTreeHeight();
    // Takes the size cells out of a cell-by-cell selection.
    void DropSizeCells(const QItemSelection& selected);
    void ConnectHandlers();
    // A folder node, not yet in the tree, with the placeholder when it has subfolders.
    QTreeWidgetItem* NewFolderNode(const std::string& name, bool hasSubFolders);
    void SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage);
    [[nodiscard]] QIcon NodeIcon(int image, int selectedImage);
    [[nodiscard]] QTreeWidgetItem* SelectedNode() const;
    void ForgetListedNodeBelow(QTreeWidgetItem* node);
    // Forgets the nodes below the folder path that wait for the probe.
    void ForgetUnsettledBelow(const std::string& path);
    // The probe's answer for folder: a node still offering to expand a
    // folder without subfolders no longer does. An answer to an older ask
    // than the node's is passed over: the folder may have changed since.
    void SettleSubFolders(const std::string& folder, unsigned long long ticket, bool hasSubFolders);
    void ClearNarrowUnlessKept();
    // Reads the listed folder afresh into the list, with the icons.
    void ListFiles();
    // The icons a listing of folder left to look up (lookups): cache
    // entries join imageListFile_, to be looked up as rows show them; the
    // files' own icons are looked up now and returned.
    std::vector<QIcon> LookUpIcons(const std::string& folder, const IconLookups& lookups);
    // The rows whose name cell is selected, in list order.
    [[nodiscard]] std::vector<int> SelectedNameRows() const;

    // --- Controls
    QWidget* Panel1 = nullptr;
    QComboBox* cmbPathAddress = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* TreeViewDirectory = nullptr;
    QTreeView* ListViewFile = nullptr;
    FileListModel* listModel_ = nullptr;
    QWidget* Panel = nullptr;
    QLineEdit* edtNarrow = nullptr;
    QCheckBox* chkNarrowKeep = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbFilter = nullptr;
    FileContextMenus* menus_ = nullptr;

    FileViewState state_;
    AppOptions& options_;
    ToolState& tools_;
    FileViewServices services_;
    int treeHeight_; // wanted tree height until the splitter has a size
    bool treeHeightApplied_ = false;
    platform::FileIcons icons_;
    std::vector<QIcon> imageListFolder_; // closed folder, open folder, then one per drive
    std::map<std::pair<int, int>, QIcon> nodeIcons_; // by image and selected image
    ExtensionIcons imageListFile_;                   // one per entry of IconCashList
    QTreeWidgetItem* listedNode_ = nullptr;
    platform::HeldFolder listedFolder_;
    bool walking_ = false; // NavigateToPath fills the list once, after its walk
    // Nodes, by folder, that offer to expand until the probe tells, with
    // the ticket of the ask that will tell.
    struct Unsettled {
        QTreeWidgetItem* node;
        unsigned long long ticket;
    };
    std::map<std::string, Unsettled> unsettled_;
    unsigned long long lastTicket_ = 0;
    SubFolderProbe probe_; // last, so it goes first: no report comes once the rest goes
};

} // namespace tamble
