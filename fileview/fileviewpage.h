// FileViewPage: the behaviour of the main window's "FileView" page, the
// folder tree TreeViewDirectory and the file list ListViewFile with the
// address box, the narrowing box and the filter box around them. The
// window owns the controls and the shared state; this page handles their
// events and keeps the tree's images, the icon cache's images and the key
// timer. The rules it follows live in foldertree.h and filelist.h.
#pragma once

#include "direntries.h"
#include "fileicons.h"
#include "filelist.h"
#include "heldfolder.h"
#include "subfolderprobe.h"

#include <QIcon>
#include <QList>
#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QTimer;
class QTreeWidgetItem;

namespace tamble {

class TfrmTamble;
struct AppOptions;
struct MainWindowState;

// The double-click's opening: ShellOpenFile when byShell, else OpenInEditor.
void OpenWithExternalProgram(const AppOptions& options, const std::string& path, bool byShell);

// What the page takes from the system; tests replace parts of it.
struct FileViewServices {
    std::function<std::vector<platform::Drive>()> drives = platform::ListDrives;
    // Opens the file at path (CP932): with its default application when
    // byShell, else in the editor the options name.
    std::function<void(const AppOptions& options, const std::string& path, bool byShell)> openFile =
        OpenWithExternalProgram;
};

class FileViewPage : public QObject {
    Q_OBJECT

public:
    FileViewPage(TfrmTamble& window, FileViewServices services);
    ~FileViewPage() override;

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
    // Appends the icon of path (CP932) to imageList; returns its index.
    int AddFileIcon(std::vector<QIcon>& imageList, const std::string& path, bool isFolder);
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
    [[nodiscard]] const std::vector<QIcon>& ImageListFolder() const { return imageListFolder_; }

    QTimer* TimerFileListUpdate = nullptr;
    int TreeKeyTicks = 0;
    QAction* R1 = nullptr; // "最新の状態に更新(&R)", F5
    QAction* A1 = nullptr; // "すべて選択(&A)", Ctrl+A

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TreeWalk;

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
    void UpdateFileIcons(const std::vector<FileRow>& rows,
                         const std::vector<QTreeWidgetItem*>& items);
    // Deletes rows taken out of the list a part at a time once the event
    // loop has shown what replaced them: the user waits for the new rows,
    // not for the old ones to go.
    void DiscardLater(QList<QTreeWidgetItem*> rows);
    void DiscardSome();

    TfrmTamble& window_;
    MainWindowState& state_;
    FileViewServices services_;
    platform::FileIcons icons_;
    std::vector<QIcon> imageListFolder_; // closed folder, open folder, then one per drive
    std::map<std::pair<int, int>, QIcon> nodeIcons_; // by image and selected image
    std::vector<QIcon> imageListFile_;               // one per entry of IconCashList
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
    QList<QTreeWidgetItem*> discarded_; // rows out of the list, not yet deleted
    SubFolderProbe probe_; // last, so it goes first: no report comes once the rest goes
};

// The page of window, created with services on first use.
FileViewPage& FileViewOf(TfrmTamble& window, const FileViewServices& services = {});

} // namespace tamble
