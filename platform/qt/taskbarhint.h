// The program's place is the notification area: while its icon is shown
// there, the main window has no taskbar button.
#pragma once

class QWidget;

namespace platform {

// Asks the window manager to show (shown) or leave out (!shown) the
// taskbar button of window, which must be shown. The request lasts until
// the window is hidden, so call it after every show. Works on Windows (the
// taskbar's own interface) and on X11 window managers that follow EWMH;
// elsewhere it does nothing.
void SetTaskbarButton(QWidget* window, bool shown);

} // namespace platform
