#include "project/projectpage.h"

#include "core/errortext.h"
#include "external/externalprograms.h"
#include "platform/codepage.h"
#include "project/projectfile.h"
#include "project/projectnames.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace tamble {
namespace {

using platform::Cp932;

constexpr int kTreeIndent = 19;
constexpr int kImageSize = 16;
constexpr int kProjectNameMaxLength = 255;
constexpr int kFileLevel = 2;
constexpr const char* kProjectFileExtension = "prj";

int LevelOf(const QTreeWidgetItem* item) {
    int level = 0;
    for (const QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent())
        ++level;
    return level;
}

// Image of a node read from a file, by level (deeper nodes, which only an
// edited file holds, look like files).
int ImageForLevel(int level) {
    if (level == 0) return kProjectImage;
    return level == 1 ? kClosedFolderImage : kFileImage;
}

platform::FileBoxOptions ProjectFileBox(const char* title) {
    platform::FileBoxOptions box;
    box.title = Cp932(title);
    box.defaultExtension = kProjectFileExtension;
    box.filters = {{Cp932("プロジェクトファイル (*.prj)"), "*.prj"}};
    return box;
}

} // namespace

ProjectPage::ProjectPage(const AppOptions& options, platform::UserPrompts& prompts,
                         ProjectCommands commands, QWidget* parent)
    : QWidget(parent), commands_(commands), options_(options), prompts_(prompts) {
    GiveProjectCommandImages(commands_, *style());
    setObjectName(QStringLiteral("tabProjectView"));
    CreateControls();
    TreeView1->setIndentation(kTreeIndent);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    viewport_ = TreeView1->viewport();
    viewport_->setMouseTracking(true);
    viewport_->setAttribute(Qt::WA_Hover);
    viewport_->installEventFilter(this);
    TreeView1->installEventFilter(this);

    PopupMenu1 = new QMenu(TreeView1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    popAddFile = PopupMenu1->addAction(QStringLiteral("プロジェクトにファイルを追加(&A)"));
    popAddFile->setObjectName(QStringLiteral("popAddFile"));
    N2 = PopupMenu1->addSeparator();
    popDelete = PopupMenu1->addAction(QStringLiteral("削除(&D)"));
    popDelete->setObjectName(QStringLiteral("popDelete"));

    connect(popAddFile, &QAction::triggered, this, &ProjectPage::popAddFileClick);
    connect(popDelete, &QAction::triggered, this, &ProjectPage::popDeleteClick);
    connect(TreeView1, &QTreeWidget::itemExpanded, this, &ProjectPage::TreeView1Expanded);
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, &ProjectPage::TreeView1Collapsed);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &ProjectPage::TreeView1Change);
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(at));
    });
    connect(chkShortLongName, &QCheckBox::clicked, this, &ProjectPage::chkShortLongNameClick);
}

int ProjectPage::PositionOf(const QTreeWidgetItem* item) const {
    int position = 0;
    for (QTreeWidgetItemIterator it(TreeView1); *it != nullptr; ++it, ++position) {
        if (*it == item) return position;
    }
    return -1;
}

QTreeWidgetItem* ProjectPage::ItemAt(int position) const {
    QTreeWidgetItemIterator it(TreeView1);
    for (; *it != nullptr && position > 0; ++it)
        --position;
    return *it;
}

QTreeWidgetItem* ProjectPage::Selected() const {
    const QList<QTreeWidgetItem*> selection = TreeView1->selectedItems();
    return selection.isEmpty() ? nullptr : selection.first();
}

// --- File commands

void ProjectPage::CreateProject() {
    const std::optional<std::string> name =
        prompts_.Input(Cp932("プロジェクトの新規作成"), Cp932("プロジェクト名を入力してください"),
                       "NewProject", kProjectNameMaxLength);
    if (!name) return;
    if (const ProjectTextFault fault = FindProjectTextFault(*name);
        fault != ProjectTextFault::None) {
        ShowError(ProjectNameFaultMessage(fault));
        return;
    }
    auto* project = new QTreeWidgetItem(TreeView1, {platform::FromCp932(*name)});
    SetImages(project, kProjectImage, kProjectImage);
    for (const char* category : kCategoryNames) {
        auto* item = new QTreeWidgetItem(project, {QString::fromLatin1(category)});
        SetImages(item, kClosedFolderImage, kClosedFolderImage);
    }
    TreeView2.AddProject(*name);
}

void ProjectPage::OpenProjectFile() {
    const std::optional<std::string> path =
        prompts_.OpenFile(ProjectFileBox("プロジェクトファイルを読み込む"));
    if (!path || path->empty()) return;
    OpenProjectFileAt(*path);
}

void ProjectPage::OpenProjectFileAt(const std::string& path) {
    // The model is replaced only when the whole file was read, so an error
    // leaves both trees as they were.
    const ProjectReadError error = LoadProjectFile(path, TreeView2);
    if (error.kind != ProjectReadError::None) {
        ShowError(ReadErrorMessage(error, path));
        return;
    }
    RebuildDisplayTree();
    RefreshDisplayNames();
}

void ProjectPage::SaveProjectFile() {
    const std::optional<std::string> path =
        prompts_.SaveFile(ProjectFileBox("プロジェクトファイルの保存"));
    if (!path || path->empty()) return;
    if (!tamble::SaveProjectFile(*path, TreeView2)) ShowError(SaveErrorMessage(*path));
}

void ProjectPage::RefreshDisplayNames() {
    const bool shortNames = chkShortLongName->isChecked();
    int position = 0;
    for (QTreeWidgetItemIterator it(TreeView1); *it != nullptr && position < TreeView2.Count();
         ++it, ++position) {
        (*it)->setText(0,
                       platform::FromCp932(DisplayName(TreeView2.At(position).text, shortNames)));
    }
}

void ProjectPage::DropFiles(const std::vector<std::string>& files, const QPoint& at) {
    lastMouse_ = viewport_->mapFrom(this, at);
    if (TreeView2.Empty() || TreeView1->topLevelItemCount() == 0) return;
    QTreeWidgetItem* target = TreeView1->itemAt(lastMouse_);
    if (target == nullptr) target = TreeView1->itemAt(TreeView1->viewport()->rect().topLeft());
    if (target == nullptr) target = TreeView1->topLevelItem(0);
    AddFiles(TreeView2.ProjectOf(PositionOf(target)), files);
}

// --- Tree events

void ProjectPage::TreeView1MouseMove(const QPoint& position) {
    lastMouse_ = position;
}

void ProjectPage::TreeView1MouseDown(Qt::MouseButton button, const QPoint& position) {
    if (button != Qt::RightButton || Selected() == nullptr) return;
    if (QTreeWidgetItem* item = TreeView1->itemAt(position)) {
        TreeView1->setCurrentItem(item);
    } else {
        TreeView1->clearSelection();
        TreeView1->setCurrentItem(nullptr);
    }
}

void ProjectPage::TreeView1DblClick() {
    const QTreeWidgetItem* item = Selected();
    if (TreeView2.Empty() || item == nullptr || LevelOf(item) != kFileLevel) return;
    OpenInEditor(options_, TreeView2.At(PositionOf(item)).text);
}

void ProjectPage::TreeView1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) TreeView1DblClick();
}

void ProjectPage::TreeView1Expanded(QTreeWidgetItem* item) {
    const QTreeWidgetItem* selected = Selected();
    if (selected == nullptr || LevelOf(item) != 1) return;
    SetImages(item, kOpenFolderImage,
              item == selected ? kOpenFolderImage : item->data(0, kSelectedIndexRole).toInt());
}

void ProjectPage::TreeView1Collapsed(QTreeWidgetItem* item) {
    const QTreeWidgetItem* selected = Selected();
    if (selected == nullptr || LevelOf(item) != 1) return;
    SetImages(item, kClosedFolderImage,
              item == selected ? kClosedFolderImage : item->data(0, kSelectedIndexRole).toInt());
}

void ProjectPage::TreeView1Change(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (!options_.TreeState1 || current == nullptr) return;
    // Fold the branch that held the previous selection, up to where it
    // meets the new one, then open the new node.
    for (QTreeWidgetItem* up = previous; up != nullptr; up = up->parent()) {
        bool shared = false;
        for (const QTreeWidgetItem* mine = current; mine != nullptr && !shared;
             mine = mine->parent())
            shared = mine == up;
        if (!shared) up->setExpanded(false);
    }
    current->setExpanded(true);
}

// --- Context menu

void ProjectPage::PopupMenu1Popup() {
    const QTreeWidgetItem* item = Selected();
    if (TreeView2.Empty() || item == nullptr) return;
    const int level = LevelOf(item);
    popAddFile->setVisible(level == 0);
    popDelete->setVisible(level != 1);
}

void ProjectPage::popAddFileClick() {
    const QTreeWidgetItem* item = Selected();
    if (TreeView2.Empty() || item == nullptr || LevelOf(item) != 0) return;
    platform::FileBoxOptions box;
    box.filters = {{Cp932("すべてのファイル (*.*)"), "*.*"},
                   {Cp932("テキストファイル (*.txt)"), "*.txt"},
                   {Cp932("C/C++ファイル (*.c;*.cpp;*.cxx;*.h;*.rc)"), "*.c;*.cpp;*.cxx;*.h;*.rc"}};
    const std::vector<std::string> files = prompts_.OpenFiles(box);
    if (files.empty() || files.front().empty()) return;
    AddFiles(PositionOf(item), files);
}

void ProjectPage::popDeleteClick() {
    QTreeWidgetItem* item = Selected();
    if (TreeView2.Empty() || item == nullptr || LevelOf(item) == 1) return;
    TreeView2.Remove(PositionOf(item));
    delete item;
}

void ProjectPage::chkShortLongNameClick() {
    RefreshDisplayNames();
}

bool ProjectPage::eventFilter(QObject* watched, QEvent* event) {
    // Compared by pointer only: events keep coming while the tree is being destroyed.
    if (watched == viewport_) {
        if (event->type() == QEvent::MouseMove) {
            TreeView1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                // The tree's own handling would select the node under the
                // pointer in every case; the page's rule replaces it.
                TreeView1MouseDown(mouse->button(), mouse->position().toPoint());
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            // Anywhere in the tree, empty space too: the selected file opens.
            // The tree's own handling (opening a folder node) still runs.
            TreeView1DblClick();
        }
    } else if (watched == TreeView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            TreeView1KeyDown(key);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- Helpers

bool ProjectPage::AddFile(int project, const std::string& path) {
    const AddFileResult added = AddFileToProject(TreeView2, project, path);
    if (added.position < 0) {
        ShowError(Cp932("リストのインデックスが範囲を超えています (") +
                  std::to_string(added.category) + ")");
        return false;
    }
    // The new node shows its file name whatever the mode, until the next
    // RefreshDisplayNames.
    QTreeWidgetItem* category = ItemAt(project)->child(added.category);
    auto* file = new QTreeWidgetItem(category, {platform::FromCp932(FileNameOf(path))});
    SetImages(file, kFileImage, kFileImage);
    return true;
}

void ProjectPage::AddFiles(int project, const std::vector<std::string>& paths) {
    std::vector<std::string> refused;
    for (const std::string& path : paths) {
        if (FindProjectTextFault(path) != ProjectTextFault::None) {
            refused.push_back(path);
        } else if (!AddFile(project, path)) {
            break;
        }
    }
    if (!refused.empty()) ShowError(RefusedFilesMessage(refused));
}

void ProjectPage::RebuildDisplayTree() {
    TreeView1->clear();
    std::vector<QTreeWidgetItem*> parents; // parents[level]: last node at that level
    for (const ProjectTree::Node& node : TreeView2.Nodes()) {
        const QStringList texts{platform::FromCp932(node.text)};
        auto* item = node.level == 0 ? new QTreeWidgetItem(TreeView1, texts)
                                     : new QTreeWidgetItem(parents[node.level - 1], texts);
        parents.resize(static_cast<size_t>(node.level));
        parents.push_back(item);
        const int image = ImageForLevel(node.level);
        SetImages(item, image, image);
    }
}

const std::array<QIcon, 4>& ProjectPage::Images() {
    // The style decodes every size of an image when it is asked for it, so
    // the images are taken when the first node needs one, not at start-up.
    if (ImageListProject[kProjectImage].isNull()) {
        const QStyle* look = TreeView1->style();
        ImageListProject = {look->standardIcon(QStyle::SP_DirHomeIcon),
                            look->standardIcon(QStyle::SP_FileIcon),
                            look->standardIcon(QStyle::SP_DirClosedIcon),
                            look->standardIcon(QStyle::SP_DirOpenIcon)};
    }
    return ImageListProject;
}

void ProjectPage::SetImages(QTreeWidgetItem* item, int normal, int selected) {
    item->setData(0, kImageIndexRole, normal);
    item->setData(0, kSelectedIndexRole, selected);
    const std::array<QIcon, 4>& images = Images();
    QIcon icon;
    icon.addPixmap(images[normal].pixmap(kImageSize), QIcon::Normal);
    icon.addPixmap(images[selected].pixmap(kImageSize), QIcon::Selected);
    item->setIcon(0, icon);
}

void ProjectPage::ShowError(const std::string& message) {
    prompts_.Message(ErrorBoxText(message), kApplicationTitle, platform::PromptIcon::Error);
}

} // namespace tamble
