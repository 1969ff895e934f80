#include "paintreport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <QFile>

#include <climits>
#include <cstdlib>

namespace platform {
namespace {

class PaintReporter : public QObject {
public:
    PaintReporter(QWidget& window, int fd) : QObject(&window), window_(window), fd_(fd) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            reported_ = true;
            // Queued behind the paint under way, so it runs once the whole
            // window has been painted and handed to the screen.
            QTimer::singleShot(0, this, [this] { Report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Report() {
        QCoreApplication::instance()->removeEventFilter(this);
        QFile report;
        if (report.open(fd_, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
            report.write("painted\n");
    }

    QWidget& window_;
    int fd_;
    bool reported_ = false;
};

} // namespace

void ReportFirstPaint(QWidget& window) {
    const char* variable = std::getenv("TAMBLE_PAINTED_FD");
    if (variable == nullptr || *variable == '\0') return;
    char* end = nullptr;
    const long fd = std::strtol(variable, &end, 10);
    const bool valid = *end == '\0' && fd >= 0 && fd <= INT_MAX;
    // Programs started from here must not write into whatever their own
    // descriptor of that number is.
    qunsetenv("TAMBLE_PAINTED_FD");
    if (!valid) return;
    QTimer::singleShot(0, &window,
                       [&window, fd] { new PaintReporter(window, static_cast<int>(fd)); });
}

} // namespace platform
