// The program shows no taskbar button: its place is the notification area.
#pragma once

class QWidget;

namespace platform {

// Asks the window manager to show no taskbar button for window, which must
// be shown. The request lasts until the window is hidden, so call it after
// every show. Works on X11 window managers that follow EWMH; elsewhere it
// does nothing.
void HideTaskbarButton(QWidget* window);

} // namespace platform
