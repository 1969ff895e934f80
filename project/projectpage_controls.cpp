// The project page's controls, built as designed: the tool bar with the
// project commands, the tree and the name-mode strip.
#include "project/projectpage.h"

#include "widgets/formcontrols.h"
#include "widgets/formnames.h"

#include <QAction>
#include <QCheckBox>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tamble {
namespace {

constexpr int kToolBarHeight = 28;
constexpr int kShortLongPanelHeight = 19;

} // namespace

void ProjectPage::CreateControls() {
    QVBoxLayout* column = FlatColumn(this);

    ToolBar1 = Named(new QToolBar(this), "ToolBar1");
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The buttons share the commands: same caption, image, handler.
    ToolBar1->addAction(commands_.newProject);
    ToolBar1->addAction(commands_.openProject);
    ToolBar1->addAction(commands_.saveProject);
    const auto button = [this](QAction* command, const char* name) {
        auto* toolButton = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(command));
        toolButton->setAutoRaise(true);
        return Named(toolButton, name);
    };
    btnNewProject = button(commands_.newProject, "btnNewProject");
    btnOpenProject = button(commands_.openProject, "btnOpenProject");
    btnSaveProject = button(commands_.saveProject, "btnSaveProject");
    column->addWidget(ToolBar1);

    TreeView1 = Named(new QTreeWidget(this), "TreeView1");
    TreeView1->setHeaderHidden(true);
    column->addWidget(TreeView1, 1);

    Panel2 = Strip(this, "Panel2", kShortLongPanelHeight);
    chkShortLongName =
        Named(new QCheckBox(QStringLiteral("短い名前にする"), Panel2), "chkShortLongName");
    chkShortLongName->setChecked(true);
    chkShortLongName->move(2, 1);
    column->addWidget(Panel2);
}

} // namespace tamble
