#include "placement.h"

#include <algorithm>

namespace tamble {

ScreenRect KeepOnScreen(const ScreenRect& window, const std::vector<ScreenRect>& screens,
                        const ScreenRect& primaryWorkArea) {
    const int needWidth = std::max(1, std::min(kMinVisibleWidth, window.Width()));
    const int needHeight = std::max(1, std::min(kMinVisibleHeight, window.Height()));
    for (const ScreenRect& screen : screens) {
        const int overlapWidth =
            std::min(window.right, screen.right) - std::max(window.left, screen.left);
        const int overlapHeight =
            std::min(window.bottom, screen.bottom) - std::max(window.top, screen.top);
        if (overlapWidth >= needWidth && overlapHeight >= needHeight) return window;
    }
    return {primaryWorkArea.left, primaryWorkArea.top, primaryWorkArea.left + window.Width(),
            primaryWorkArea.top + window.Height()};
}

} // namespace tamble
