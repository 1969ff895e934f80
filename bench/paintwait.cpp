#include "bench/paintwait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace bench {
namespace {

constexpr qint64 kPatienceMs = 30000;

} // namespace

PaintWatch::PaintWatch(QWidget* widget, std::function<bool()> shows)
    : widget_(widget), shows_(std::move(shows)) {
    widget_->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    widget_->removeEventFilter(this);
}

bool PaintWatch::Wait() {
    QElapsedTimer clock;
    clock.start();
    while (!painted_ && clock.elapsed() < kPatienceMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    return painted_;
}

void Settle() {
    QElapsedTimer clock;
    clock.start();
    QAbstractEventDispatcher* dispatcher = QCoreApplication::eventDispatcher();
    while (dispatcher->processEvents(QEventLoop::AllEvents) && clock.elapsed() < kPatienceMs) {
    }
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_ && event->type() == QEvent::Paint && (!shows_ || shows_()))
        painted_ = true;
    return QObject::eventFilter(watched, event);
}

} // namespace bench
