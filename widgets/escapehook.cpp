#include "widgets/escapehook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tamble {

EscapeHook::EscapeHook(QWidget* window, std::function<void()> onEscape)
    : window_(window), onEscape_(std::move(onEscape)) {
    qApp->installEventFilter(this);
}

EscapeHook::~EscapeHook() {
    qApp->removeEventFilter(this);
}

bool EscapeHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && event != lastEvent_ &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        lastEvent_ = event;
        const QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr || top == window_) {
            // Closing the window may destroy this hook: run a copy of the
            // callback and touch no member afterwards.
            const std::function<void()> onEscape = onEscape_;
            onEscape();
            return false;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tamble
