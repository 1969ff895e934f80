#include "tools/framepacer.h"

#include <utility>

namespace tamble {

FramePacer::FramePacer(Clock now, std::chrono::steady_clock::duration frame)
    : now_(now ? std::move(now) : Clock(&std::chrono::steady_clock::now)), frame_(frame) {}

bool FramePacer::Due() {
    const auto now = now_();
    if (shownAny_ && now - lastShown_ < frame_) return false;
    shownAny_ = true;
    lastShown_ = now;
    return true;
}

} // namespace tamble
