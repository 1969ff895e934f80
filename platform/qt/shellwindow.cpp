#include "platform/qt/shellwindow.h"

#include <QWidget>

namespace platform {

uintptr_t ShellOwnerWindow(QWidget* widget) {
#ifdef _WIN32
    if (widget != nullptr) return static_cast<uintptr_t>(widget->window()->winId());
#else
    (void)widget;
#endif
    return 0;
}

} // namespace platform
