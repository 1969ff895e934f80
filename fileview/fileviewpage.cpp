#include "fileview/fileviewpage.h"

#include "core/settings.h"
#include "external/externalprograms.h"
#include "fileview/filecontextmenus.h"
#include "fileview/filelistmodel.h"
#include "fileview/foldertree.h"
#include "platform/codepage.h"
#include "platform/qt/firstpaint.h"
#include "widgets/comboitems.h"
#include "widgets/qtext.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace tamble {
namespace {

constexpr int kTimerInterval = 100; // ms between key timer ticks
constexpr int kTicksBeforeRefill = 5;
constexpr int kClosedFolderImage = 0;
constexpr int kOpenFolderImage = 1;
constexpr int kTreeIndent = 19; // pixels per tree level
// Entries of each listed folder's child looked at before the tree is shown;
// about one read of the system's. A child with more, none of them a folder
// yet, offers to expand until the probe has looked at the rest.
constexpr size_t kEntriesPerLook = 512;
// How long the subfolder probe waits for a first frame that does not come
// (a window built but not shown) before it begins all the same.
constexpr int kProbeHoldLimitMs = 500;

// Item data: the node's own CP932 name (a drive's root) and its image indexes.
constexpr int kNameRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;

std::string NodeName(const QTreeWidgetItem* node) {
    return node->data(0, kNameRole).toByteArray().toStdString();
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Records the combo's text at the top of its history and selects it.
// Returns false, changing nothing, for an empty text.
bool PushComboHistory(QComboBox& combo) {
    HistoryList items = ComboItems(combo);
    if (!tamble::PushComboHistory(items, platform::ToCp932(combo.currentText()))) return false;
    SetComboItems(combo, items);
    const QSignalBlocker quiet(combo);
    combo.setCurrentIndex(0);
    return true;
}

} // namespace

// The folder tree as the walk of NavigateToPath sees it.
class FileViewPage::TreeWalk : public FolderTreeNodes {
public:
    explicit TreeWalk(FileViewPage& page) : page_(page) {}

    std::vector<Node> Drives() override {
        return Nodes(page_.TreeViewDirectory->invisibleRootItem());
    }
    std::string DriveRoot(Node drive) override { return NodeName(Item(drive)); }
    std::vector<Node> Children(Node node) override { return Nodes(Item(node)); }
    std::string Name(Node node) override { return NodeName(Item(node)); }
    void Open(Node node) override { page_.OpenFolderNode(Item(node)); }
    void Expand(Node node) override { Item(node)->setExpanded(true); }

private:
    static QTreeWidgetItem* Item(Node node) { return static_cast<QTreeWidgetItem*>(node); }
    static std::vector<Node> Nodes(QTreeWidgetItem* parent) {
        std::vector<Node> nodes;
        for (int i = 0; i < parent->childCount(); ++i)
            nodes.push_back(parent->child(i));
        return nodes;
    }

    FileViewPage& page_;
};

FileViewPage::~FileViewPage() = default;

FileViewPage::FileViewPage(AppOptions& options, ToolState& tools, FileViewServices services,
                           QWidget* parent)
    : QWidget(parent), options_(options), tools_(tools), services_(std::move(services)),
      treeHeight_(kDefaultSplitter),
      imageListFile_([this](const QString& path) { return icons_.ForFile(path); }),
      probe_([this](const std::string& folder, unsigned long long ticket, bool hasSubFolders) {
          QMetaObject::invokeMethod(
              this,
              [this, folder, ticket, hasSubFolders] {
                  SettleSubFolders(folder, ticket, hasSubFolders);
              },
              Qt::QueuedConnection);
      }) {
    setObjectName(QStringLiteral("tabFileView"));
    // The probe's answers only take away arrows the tree shows for now; it
    // begins once the window is on the screen, leaving the processor to
    // the first frame.
    probe_.Hold();
    platform::AfterFirstPaint(*window(), [this] { probe_.Release(); });
    QTimer::singleShot(kProbeHoldLimitMs, this, [this] { probe_.Release(); });
    CreateControls();
    TimerFileListUpdate = new QTimer(this);
    TimerFileListUpdate->setObjectName(QStringLiteral("TimerFileListUpdate"));
    TimerFileListUpdate->setInterval(kTimerInterval);

    QTreeView* list = ListViewFile;
    R1 = new QAction(QStringLiteral("最新の状態に更新(&R)"), list);
    R1->setObjectName(QStringLiteral("R1"));
    R1->setShortcut(QKeySequence(Qt::Key_F5));
    A1 = new QAction(QStringLiteral("すべて選択(&A)"), list);
    A1->setObjectName(QStringLiteral("A1"));
    A1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    for (QAction* action : {R1, A1}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        list->addAction(action);
    }
    TreeViewDirectory->setIndentation(kTreeIndent);
    TreeViewDirectory->setRootIsDecorated(false); // drives open by double-click or keys
    ConnectHandlers();
    menus_ = new FileContextMenus(*this, {TreeViewDirectory, ListViewFile},
                                  {state_, options_, tools_}, services_.owner);
}

void FileViewPage::ConnectHandlers() {
    QTreeWidget* tree = TreeViewDirectory;
    connect(tree, &QTreeWidget::itemExpanded, this, &FileViewPage::TreeViewDirectoryExpanded);
    connect(tree, &QTreeWidget::itemCollapsed, this, &FileViewPage::TreeViewDirectoryCollapsed);
    connect(TimerFileListUpdate, &QTimer::timeout, this, &FileViewPage::TimerFileListUpdateTimer);
    connect(cmbFilter, &QComboBox::activated, this, &FileViewPage::cmbFilterSelect);
    connect(edtNarrow, &QLineEdit::textChanged, this, &FileViewPage::edtNarrowChange);
    connect(ListViewFile->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileViewPage::ListViewFileSelectItem);
    connect(chkNarrowKeep, &QCheckBox::clicked, this, &FileViewPage::chkNarrowKeepClick);
    connect(ListViewFile->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { DropSizeCells(selected); });
    connect(R1, &QAction::triggered, this, &FileViewPage::R1Click);
    connect(A1, &QAction::triggered, this, &FileViewPage::A1Click);
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    ListViewFile->viewport()->installEventFilter(this);
    // An editable combo box keeps the keyboard focus itself and hands keys to
    // its line edit directly, so the keys are watched on the combo box.
    cmbFilter->installEventFilter(this);
    cmbPathAddress->installEventFilter(this);
}

bool FileViewPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize && watched == Panel) {
        LayOutPanels();
    } else if (type == QEvent::Resize && watched == Splitter1 && !treeHeightApplied_) {
        ApplyTreeHeight();
    } else if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == TreeViewDirectory) {
            TreeViewDirectoryKeyDown(key->key(), key->modifiers());
        } else if (watched == cmbFilter) {
            if (key->key() == Qt::Key_Down || IsEnter(key->key())) {
                cmbFilterKeyDown(key->key(), key->modifiers());
                return true;
            }
        } else if (watched == cmbPathAddress && IsEnter(key->key())) {
            cmbPathAddressKeyDown(key->key(), key->modifiers());
            return true;
        }
    } else if (type == QEvent::MouseButtonPress && watched == TreeViewDirectory->viewport()) {
        // The handler runs once the tree has handled the press (selected or
        // expanded the node under the pointer).
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::MouseButton button = mouse->button();
        const Qt::KeyboardModifiers shift = mouse->modifiers();
        const QPoint at = mouse->position().toPoint();
        QTimer::singleShot(0, this, [this, button, shift, at] {
            TreeViewDirectoryMouseDown(button, shift, at.x(), at.y());
        });
    } else if (type == QEvent::MouseButtonDblClick && watched == ListViewFile->viewport()) {
        const Qt::KeyboardModifiers shift = static_cast<QMouseEvent*>(event)->modifiers();
        QTimer::singleShot(0, this, [this, shift] { ListViewFileDblClick(shift); });
    }
    return QWidget::eventFilter(watched, event);
}

// --- Folder tree

void FileViewPage::LoadFolderImages() {
    imageListFolder_.clear();
    nodeIcons_.clear();
    imageListFolder_.push_back(icons_.ClosedFolder());
    imageListFolder_.push_back(icons_.OpenFolder());
}

void FileViewPage::BuildFolderTree() {
    QTreeWidget* tree = TreeViewDirectory;
    tree->setUpdatesEnabled(false);
    tree->clear();
    listedNode_ = nullptr;
    unsettled_.clear();
    probe_.Forget();
    LoadFolderImages();
    for (const platform::Drive& drive : services_.drives()) {
        const int image = AddDriveImage(drive.root);
        auto* node = new QTreeWidgetItem({platform::FromCp932(DriveNodeText(drive))});
        node->setData(0, kNameRole, QByteArray::fromStdString(drive.root));
        tree->addTopLevelItem(node);
        SetNodeImages(node, image, image);
        OpenFolderNode(node);
    }
    tree->setUpdatesEnabled(true);
    std::string start = platform::ToCp932(cmbPathAddress->currentText());
    if (!platform::FolderExists(start)) start = platform::CurrentFolder();
    NavigateToPath(start);
}

std::string FileViewPage::NodePath(const QTreeWidgetItem* node) const {
    std::vector<std::string> names;
    for (; node->parent() != nullptr; node = node->parent())
        names.insert(names.begin(), NodeName(node));
    return tamble::NodePath(platform::NativePathStyle(), NodeName(node), names);
}

QTreeWidgetItem* FileViewPage::NewFolderNode(const std::string& name, bool hasSubFolders) {
    auto* node = new QTreeWidgetItem({platform::FromCp932(name)});
    node->setData(0, kNameRole, QByteArray::fromStdString(name));
    SetNodeImages(node, kClosedFolderImage, kOpenFolderImage);
    if (hasSubFolders) new QTreeWidgetItem(node, {platform::FromCp932(PlaceholderText())});
    return node;
}

void FileViewPage::SetNodeImages(QTreeWidgetItem* node, int image, int selectedImage) {
    node->setData(0, kImageRole, image);
    node->setData(0, kSelectedImageRole, selectedImage);
    node->setIcon(0, NodeIcon(image, selectedImage));
}

QIcon FileViewPage::NodeIcon(int image, int selectedImage) {
    // Composing an icon renders pixmaps; a folder of thousands of
    // subfolders must not do that per node.
    const auto known = nodeIcons_.find({image, selectedImage});
    if (known != nodeIcons_.end()) return known->second;
    const auto at = [this](int index) {
        return index >= 0 && static_cast<size_t>(index) < imageListFolder_.size()
                   ? imageListFolder_[static_cast<size_t>(index)]
                   : QIcon();
    };
    QIcon icon = at(image);
    if (selectedImage != image) {
        const QIcon selected = at(selectedImage);
        for (const QSize& size : selected.availableSizes())
            icon.addPixmap(selected.pixmap(size), QIcon::Selected);
    }
    nodeIcons_.emplace(std::make_pair(image, selectedImage), icon);
    return icon;
}

void FileViewPage::OpenFolderNode(QTreeWidgetItem* node) {
    state_.CurrentPath = NodePath(node);
    ForgetListedNodeBelow(node);
    QTreeWidget* tree = TreeViewDirectory;
    const bool updating = tree->updatesEnabled();
    tree->setUpdatesEnabled(false);
    qDeleteAll(node->takeChildren());
    ForgetUnsettledBelow(state_.CurrentPath);
    QList<QTreeWidgetItem*> children;
    for (const SubFolder& folder : ListSubFolderNodes(state_.CurrentPath, kEntriesPerLook)) {
        QTreeWidgetItem* child = NewFolderNode(folder.name, folder.hasSubFolders);
        children.append(child);
        if (!folder.settled) {
            std::string path =
                platform::JoinPath(platform::NativePathStyle(), state_.CurrentPath, folder.name);
            unsettled_[path] = {child, ++lastTicket_};
            probe_.Ask(std::move(path), lastTicket_);
        }
    }
    node->addChildren(children); // at once: the tree announces one insertion, not thousands
    tree->setUpdatesEnabled(updating);
    ClearNarrowUnlessKept();
    state_.ForceFileListUpdate = true;
    UpdateFileList();
}

void FileViewPage::ForgetListedNodeBelow(QTreeWidgetItem* node) {
    for (const QTreeWidgetItem* at = listedNode_; at != nullptr; at = at->parent()) {
        if (at->parent() == node) {
            listedNode_ = nullptr;
            return;
        }
    }
}

void FileViewPage::ForgetUnsettledBelow(const std::string& path) {
    const std::string below = platform::JoinPath(platform::NativePathStyle(), path, "");
    auto at = unsettled_.lower_bound(below);
    while (at != unsettled_.end() && at->first.compare(0, below.size(), below) == 0)
        at = unsettled_.erase(at);
}

void FileViewPage::SettleSubFolders(const std::string& folder, unsigned long long ticket,
                                    bool hasSubFolders) {
    const auto waiting = unsettled_.find(folder);
    if (waiting == unsettled_.end() || waiting->second.ticket != ticket) return;
    QTreeWidgetItem* node = waiting->second.node;
    unsettled_.erase(waiting);
    // Listed meanwhile, the node shows what it holds.
    if (hasSubFolders || node->childCount() != 1 ||
        !NeedsListing(1, platform::ToCp932(node->child(0)->text(0))))
        return;
    delete node->takeChild(0);
}

void FileViewPage::NavigateToPath(const std::string& path) {
    QTreeWidget* tree = TreeViewDirectory;
    tree->setUpdatesEnabled(false);
    walking_ = true;
    TreeWalk walk(*this);
    auto* node = static_cast<QTreeWidgetItem*>(WalkToPath(walk, platform::NativePathStyle(), path));
    walking_ = false;
    if (node != nullptr) {
        tree->scrollToItem(node);
        tree->setCurrentItem(node);
    }
    tree->setUpdatesEnabled(true);
    UpdateFileList();
    PushComboHistory(*cmbPathAddress);
}

void FileViewPage::TreeViewDirectoryExpanded(QTreeWidgetItem* node) {
    QTreeWidget* tree = TreeViewDirectory;
    if (node->parent() != nullptr) {
        const bool selected = node->isSelected();
        SetNodeImages(node, kOpenFolderImage,
                      selected ? kOpenFolderImage : node->data(0, kSelectedImageRole).toInt());
    }
    tree->setCurrentItem(node);
    const QTreeWidgetItem* first = node->childCount() > 0 ? node->child(0) : nullptr;
    if (NeedsListing(node->childCount(),
                     first != nullptr ? platform::ToCp932(first->text(0)) : std::string()))
        OpenFolderNode(node);
}

void FileViewPage::TreeViewDirectoryCollapsed(QTreeWidgetItem* node) {
    if (node->parent() != nullptr) {
        const bool selected = node->isSelected();
        SetNodeImages(node, kClosedFolderImage,
                      selected ? kClosedFolderImage : node->data(0, kSelectedImageRole).toInt());
    }
    TreeViewDirectory->setCurrentItem(node);
}

void FileViewPage::TreeViewDirectoryKeyDown(int, Qt::KeyboardModifiers) {
    TreeKeyTicks = 0;
    TimerFileListUpdate->start();
}

void FileViewPage::TimerFileListUpdateTimer() {
    if (++TreeKeyTicks < kTicksBeforeRefill) return;
    TreeKeyTicks = 0;
    ClearNarrowUnlessKept();
    UpdateFileList();
    TimerFileListUpdate->stop();
}

void FileViewPage::TreeViewDirectoryMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                              int y) {
    QTreeWidget* tree = TreeViewDirectory;
    if (button == Qt::RightButton) {
        QTreeWidgetItem* node = tree->itemAt(x, y);
        if (node != nullptr) {
            tree->setCurrentItem(node);
        } else {
            tree->clearSelection();
        }
    }
    ClearNarrowUnlessKept();
    UpdateFileList();
}

QTreeWidgetItem* FileViewPage::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = TreeViewDirectory->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void FileViewPage::ClearNarrowUnlessKept() {
    if (chkNarrowKeep->isChecked() || edtNarrow->text().isEmpty()) return;
    // The caller refills next; the change must not refill on its own first.
    const QSignalBlocker quiet(edtNarrow);
    edtNarrow->clear();
    state_.ForceFileListUpdate = true;
}

// --- File list

void FileViewPage::UpdateFileList() {
    if (walking_) return; // the walk's end fills the list, forced if any step asked for it
    QTreeWidgetItem* node = SelectedNode();
    if (state_.ForceFileListUpdate) {
        state_.ForceFileListUpdate = false;
    } else if (node == listedNode_) {
        return;
    }
    if (node == nullptr) return;
    state_.CurrentPath = NodePath(node);
    {
        const QSignalBlocker quiet(cmbPathAddress);
        cmbPathAddress->setEditText(platform::FromCp932(state_.CurrentPath));
    }
    // Held before it is listed: should the path lead to another folder by
    // the time the names are read, the path no longer names the folder
    // held, and the commands refuse rather than act on names of another.
    if (const std::optional<std::string> native = platform::FileSystemName(state_.CurrentPath);
        !native || listedFolder_.Open(*native) != 0) {
        listedFolder_.Close();
    }
    ListFiles();
    listedNode_ = node;
}

void FileViewPage::ListFiles() {
    // The cache's names and images go together; if the names were emptied
    // elsewhere (a new window), the images go too.
    if (imageListFile_.Size() != state_.IconCashList.size()) {
        imageListFile_.Clear();
        state_.IconCashList.clear();
    }
    FileListing listing;
    const IconLookups lookups = listing.List(
        state_.CurrentPath, platform::ToCp932(cmbFilter->currentText()),
        platform::ToCp932(edtNarrow->text()), state_.IconCashList, options_.IconCashFileExt);
    std::vector<QIcon> ownIcons = LookUpIcons(listing.Folder(), lookups);
    listModel_->Show(std::move(listing), imageListFile_, std::move(ownIcons));
    ListViewFileSelectItem();
}

std::vector<QIcon> FileViewPage::LookUpIcons(const std::string& folder,
                                             const IconLookups& lookups) {
    const platform::PathStyle style = platform::NativePathStyle();
    // Most rows take a cached icon; only a lookup needs the file's full path.
    const auto path = [&](const std::string& name) {
        return platform::JoinPath(style, folder, name);
    };
    for (const std::string& name : lookups.newEntries)
        imageListFile_.Add(platform::FromCp932(path(name)));
    std::vector<QIcon> own;
    own.reserve(lookups.perFile.size());
    for (const std::string& name : lookups.perFile)
        own.push_back(icons_.OwnIcon(platform::FromCp932(path(name))));
    return own;
}

int FileViewPage::AddDriveImage(const std::string& root) {
    imageListFolder_.push_back(icons_.ForDrive(platform::FromCp932(root)));
    return static_cast<int>(imageListFolder_.size()) - 1;
}

std::vector<int> FileViewPage::SelectedNameRows() const {
    // By the selected name cells, as the status text counts them: a row
    // whose size cell was taken out of the selection is still selected.
    // Read by ranges: a whole folder selected is one range, not a cell each.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : ListViewFile->selectionModel()->selection()) {
        if (range.left() != 0) continue;
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<std::string> FileViewPage::SelectedFileNames() const {
    std::vector<std::string> names;
    for (int row : SelectedNameRows())
        names.push_back(listModel_->NameAt(row));
    return names;
}

void FileViewPage::cmbFilterSelect(int) {
    if (cmbFilter->view()->isVisible()) return; // moving through the open list
    if (!PushComboHistory(*cmbFilter)) return;
    state_.ForceFileListUpdate = true;
    UpdateFileList();
}

void FileViewPage::cmbFilterKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (key == Qt::Key_Down) {
        cmbFilter->showPopup();
    } else if (IsEnter(key) && !shift.testFlag(Qt::AltModifier)) {
        if (!PushComboHistory(*cmbFilter)) return;
        state_.ForceFileListUpdate = true;
        UpdateFileList();
    }
}

void FileViewPage::edtNarrowChange() {
    // The rows listed serve while the list shows the selected folder and
    // that folder has not changed; otherwise it is read again.
    if (!walking_ && listedNode_ != nullptr && SelectedNode() == listedNode_) {
        if (listModel_->Narrow(platform::ToCp932(cmbFilter->currentText()),
                               platform::ToCp932(edtNarrow->text()))) {
            ListViewFileSelectItem();
            return;
        }
    }
    state_.ForceFileListUpdate = true;
    UpdateFileList();
}

void FileViewPage::cmbPathAddressKeyDown(int key, Qt::KeyboardModifiers) {
    if (!IsEnter(key)) return;
    const std::string path = platform::ToCp932(cmbPathAddress->currentText());
    if (platform::FolderExists(path)) NavigateToPath(path);
}

void FileViewPage::ListViewFileSelectItem() {
    state_.SelectStatusText = SelectStatusText(static_cast<int>(SelectedNameRows().size()));
    emit StatusTextChanged();
}

void FileViewPage::ListViewFileDblClick(Qt::KeyboardModifiers shift) {
    const std::vector<std::string> selected = SelectedFileNames();
    const platform::PathStyle style = platform::NativePathStyle();
    if (!selected.empty()) {
        const std::string path = platform::JoinPath(style, state_.CurrentPath, selected.front());
        if (services_.openFile)
            services_.openFile(options_, path, shift.testFlag(Qt::ShiftModifier));
    } else if (options_.DblClickUpFolder) {
        state_.CurrentPath = platform::ParentPath(style, state_.CurrentPath);
        NavigateToPath(state_.CurrentPath);
    }
}

void FileViewPage::R1Click() {
    state_.ForceFileListUpdate = true;
    UpdateFileList();
}

void FileViewPage::A1Click() {
    ListViewFile->selectAll();
}

void FileViewPage::C2Click() {
    imageListFile_.Clear();
    state_.IconCashList.clear();
    state_.ForceFileListUpdate = true;
    UpdateFileList();
}

void FileViewPage::chkNarrowKeepClick() {
    options_.NarrowKeep = chkNarrowKeep->isChecked();
}

void FileViewPage::ShowFolder(const std::string& folder) {
    cmbPathAddress->setEditText(platform::FromCp932(folder));
    NavigateToPath(folder);
}

void OpenWithExternalProgram(const AppOptions& options, const std::string& path, bool byShell) {
    if (byShell) {
        ShellOpenFile(path);
    } else {
        OpenInEditor(options, path);
    }
}

} // namespace tamble
