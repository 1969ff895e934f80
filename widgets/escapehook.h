// An application-wide Escape key hook for one modal window, alive as long
// as this object: a key-down of Escape closes the window. The key is not
// consumed; it goes on to its receiver as usual.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tamble {

class EscapeHook : public QObject {
public:
    // onEscape runs for each Escape key-down while window is the modal
    // window on top. While another box opened from window (a file chooser)
    // is on top, Escape belongs to that box and must not cancel window and
    // the edits made in it as well.
    EscapeHook(QWidget* window, std::function<void()> onEscape);
    ~EscapeHook() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void()> onEscape_;
    const QEvent* lastEvent_ = nullptr; // one key press is offered to each parent in turn
};

} // namespace tamble
