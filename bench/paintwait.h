// Waiting, in a benchmark, for what the user would see: the event loop runs
// until a widget has been painted, so deferred work (zero timers, layout,
// the paint itself) counts in the time measured.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace bench {

// Watches one widget for paints from its construction on.
class PaintWatch : public QObject {
public:
    // Only paints made while shows() holds count (empty: every paint), so a
    // watch can wait for a particular state to reach the screen.
    explicit PaintWatch(QWidget* widget, std::function<bool()> shows = {});
    ~PaintWatch() override;
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Forgets the paints seen so far.
    void Rearm() { painted_ = false; }
    // Runs the event loop until the widget has been painted since the
    // construction or the last Rearm, then until nothing is pending; false
    // when no paint came within a generous time (the result never showed).
    bool Wait();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget_;
    std::function<bool()> shows_;
    bool painted_ = false;
};

// Runs the event loop until it has nothing left to do, deferred work
// included, so that the work one round leaves behind for later never falls
// into the next round's time. For the untimed steps between rounds.
void Settle();

} // namespace bench
