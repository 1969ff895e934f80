// The project page's three commands, which the File menu and the page's
// tool bar show alike. They exist before the page does: the menu and their
// shortcuts work from the first frame, and whoever owns the page runs them.
#pragma once

class QAction;
class QStyle;
class QWidget;

namespace tamble {

struct ProjectCommands {
    QAction* newProject = nullptr;  // mnuNewProject, Ctrl+N
    QAction* openProject = nullptr; // mnuOpenProject, Ctrl+O
    QAction* saveProject = nullptr; // mnuSaveProject, Ctrl+S
};

// The three commands, named and captioned as designed, with their
// shortcuts, owned by owner. Triggering one does nothing until it is
// connected.
[[nodiscard]] ProjectCommands NewProjectCommands(QWidget* owner);

// Gives the commands their images from style, unless they have them.
// Looking them up reads the icon theme, which the first frame does not show:
// whatever first shows the commands (the File menu, the project page's
// tool bar) gives them their images first.
void GiveProjectCommandImages(const ProjectCommands& commands, const QStyle& style);

} // namespace tamble
