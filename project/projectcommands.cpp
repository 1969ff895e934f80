#include "project/projectcommands.h"

#include "widgets/formnames.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace tamble {
namespace {

QAction* NewCommand(QWidget* owner, const char* name, const QString& caption,
                    const QKeySequence& shortcut) {
    QAction* action = Named(new QAction(caption, owner), name);
    action->setShortcut(shortcut);
    return action;
}

void GiveImage(QAction& action, const QStyle& style, QStyle::StandardPixmap image) {
    if (action.icon().isNull()) action.setIcon(style.standardIcon(image));
}

} // namespace

ProjectCommands NewProjectCommands(QWidget* owner) {
    ProjectCommands commands;
    commands.newProject =
        NewCommand(owner, "mnuNewProject", QStringLiteral("プロジェクトの新規作成(&N)"),
                   QKeySequence(Qt::CTRL | Qt::Key_N));
    // No "&" here: the entry's "(O)" is plain text.
    commands.openProject =
        NewCommand(owner, "mnuOpenProject", QStringLiteral("プロジェクトを開く(O)"),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
    commands.saveProject =
        NewCommand(owner, "mnuSaveProject", QStringLiteral("プロジェクトの保存(&S)"),
                   QKeySequence(Qt::CTRL | Qt::Key_S));
    return commands;
}

void GiveProjectCommandImages(const ProjectCommands& commands, const QStyle& style) {
    GiveImage(*commands.newProject, style, QStyle::SP_FileIcon);
    GiveImage(*commands.openProject, style, QStyle::SP_DialogOpenButton);
    GiveImage(*commands.saveProject, style, QStyle::SP_DialogSaveButton);
}

} // namespace tamble
