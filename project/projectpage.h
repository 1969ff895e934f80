// The "ProjectView" page: the display tree TreeView1 mirrors the model
// TreeView2 node for node (same depth-first positions), and every command
// changes both at the same place. The page builds and owns its controls
// (the tool bar, the tree, the name-mode box), the model, the tree's
// context menu PopupMenu1 and the tree's image list; its tool bar shows the
// project commands, which its owner makes and runs (projectcommands.h).
#pragma once

#include "platform/userprompts.h"
#include "project/projectcommands.h"
#include "project/projecttree.h"

#include <QIcon>
#include <QPoint>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QMenu;
class QPoint;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tamble {

struct AppOptions;

// Images of ImageListProject.
inline constexpr int kProjectImage = 0;
inline constexpr int kFileImage = 1;
inline constexpr int kClosedFolderImage = 2;
inline constexpr int kOpenFolderImage = 3;
// Item data roles holding a display node's normal and selected image.
inline constexpr int kImageIndexRole = Qt::UserRole;
inline constexpr int kSelectedIndexRole = Qt::UserRole + 1;

class ProjectPage : public QWidget {
    Q_OBJECT

public:
    // Builds the page ("tabProjectView") with commands on its tool bar;
    // triggering them is not connected here. options (the editor, the
    // single-expand mode, read when used), prompts and the commands
    // outlive the page.
    ProjectPage(const AppOptions& options, platform::UserPrompts& prompts, ProjectCommands commands,
                QWidget* parent = nullptr);

    ProjectTree TreeView2;
    QMenu* PopupMenu1 = nullptr;
    QAction* popAddFile = nullptr;
    QAction* N2 = nullptr; // separator
    QAction* popDelete = nullptr;
    // Indexed by the image constants above; empty until Images() fills it.
    std::array<QIcon, 4> ImageListProject;

    // Depth-first position of a display node, and the node at a position
    // (null when there is none).
    [[nodiscard]] int PositionOf(const QTreeWidgetItem* item) const;
    [[nodiscard]] QTreeWidgetItem* ItemAt(int position) const;
    // The selected display node, or null.
    [[nodiscard]] QTreeWidgetItem* Selected() const;

public slots:
    void CreateProject();
    void OpenProjectFile();
    // Opens the project file at path (CP932) without asking; a file that
    // cannot be read is reported and leaves the page as it was.
    void OpenProjectFileAt(const std::string& path);
    void SaveProjectFile();
    void RefreshDisplayNames();
    // Files (CP932 full paths) dropped on the page at the point at, in the
    // page's coordinates: they join the project of the node there.
    void DropFiles(const std::vector<std::string>& files, const QPoint& at);

    void TreeView1MouseMove(const QPoint& position);
    void TreeView1MouseDown(Qt::MouseButton button, const QPoint& position);
    void TreeView1DblClick();
    void TreeView1KeyDown(int key);
    void TreeView1Expanded(QTreeWidgetItem* item);
    void TreeView1Collapsed(QTreeWidgetItem* item);
    // Single-expand mode when the option TreeState1 is on.
    void TreeView1Change(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void PopupMenu1Popup();
    void popAddFileClick();
    void popDeleteClick();
    void chkShortLongNameClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Builders of the controls (projectpage_controls.cpp).
    void CreateControls();
    // Appends path to the project at position project in both trees;
    // false (after telling the user) when the project lacks its category.
    bool AddFile(int project, const std::string& path);
    // AddFile for each of paths in order, until one fails; paths that a
    // project file could not hold are left out and named in one message.
    void AddFiles(int project, const std::vector<std::string>& paths);
    // Builds the display tree anew from the model, texts in full.
    void RebuildDisplayTree();
    // ImageListProject, filled on first use.
    const std::array<QIcon, 4>& Images();
    void SetImages(QTreeWidgetItem* item, int normal, int selected);
    void ShowError(const std::string& message);

    // --- Controls
    QToolBar* ToolBar1 = nullptr;
    QToolButton* btnNewProject = nullptr;
    QToolButton* btnOpenProject = nullptr;
    QToolButton* btnSaveProject = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QWidget* Panel2 = nullptr;
    QCheckBox* chkShortLongName = nullptr;
    ProjectCommands commands_{};

    QWidget* viewport_ = nullptr; // TreeView1's viewport, watched for mouse events
    QPoint lastMouse_;            // in TreeView1's viewport, where a drop lands
    const AppOptions& options_;
    platform::UserPrompts& prompts_;
};

} // namespace tamble
