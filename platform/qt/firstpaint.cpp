#include "platform/qt/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace platform {
namespace {

// Watches every paint of the application for the first one in window; a
// child of window, so it goes with it.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> work)
        : QObject(&window), window_(window), work_(std::move(work)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            seen_ = true;
            // Queued behind the paint under way, so it runs once the whole
            // window has been painted and handed to the screen.
            QTimer::singleShot(0, this, [this] {
                QCoreApplication::instance()->removeEventFilter(this);
                work_();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    std::function<void()> work_;
    bool seen_ = false;
};

} // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> work) {
    new FirstPaintWatcher(window, std::move(work));
}

} // namespace platform
