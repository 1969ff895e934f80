// Paces the progress display of a long loop on the user-interface thread:
// painting a bar and a label on every step costs more than a small step
// itself, yet the user must see the run move and, on a slow run, each item.
#pragma once

#include <chrono>
#include <functional>

namespace tamble {

class FramePacer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // About one screen refresh at 60 Hz.
    static constexpr std::chrono::milliseconds kFrame{16};

    // now gives the current time (a fake one in tests); an empty now reads
    // the steady clock.
    explicit FramePacer(Clock now = {}, std::chrono::steady_clock::duration frame = kFrame);

    // Whether the state reached at this moment is to be shown: true on the
    // first call and whenever at least one frame has passed since the last
    // call that returned true; a true answer counts as shown from now on.
    // So a step that took a frame or longer is always shown. The caller
    // shows the final state on its own, whatever the last answer was.
    [[nodiscard]] bool Due();

private:
    Clock now_;
    std::chrono::steady_clock::duration frame_;
    bool shownAny_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

} // namespace tamble
