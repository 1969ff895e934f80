#include "project/projectcommands.h"

#include "widgets/formnames.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace tamble {
namespace {

QAction* NewCommand(QWidget* owner, const char* name, const QString& caption,
                    QStyle::StandardPixmap image, const QKeySequence& shortcut) {
    QAction* action = Named(new QAction(caption, owner), name);
    action->setIcon(owner->style()->standardIcon(image));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

ProjectCommands NewProjectCommands(QWidget* owner) {
    ProjectCommands commands;
    commands.newProject =
        NewCommand(owner, "mnuNewProject", QStringLiteral("プロジェクトの新規作成(&N)"),
                   QStyle::SP_FileIcon, QKeySequence(Qt::CTRL | Qt::Key_N));
    // No "&" here: the entry's "(O)" is plain text.
    commands.openProject =
        NewCommand(owner, "mnuOpenProject", QStringLiteral("プロジェクトを開く(O)"),
                   QStyle::SP_DialogOpenButton, QKeySequence(Qt::CTRL | Qt::Key_O));
    commands.saveProject =
        NewCommand(owner, "mnuSaveProject", QStringLiteral("プロジェクトの保存(&S)"),
                   QStyle::SP_DialogSaveButton, QKeySequence(Qt::CTRL | Qt::Key_S));
    return commands;
}

} // namespace tamble
