#include "app/placement.h"

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

ClientSize ClientSizeFor(const ScreenRect& window, const FrameMargins& margins) {
    return {std::max(1, window.Width() - margins.left - margins.right),
            std::max(1, window.Height() - margins.top - margins.bottom)};
}

ScreenRect FitInside(const ScreenRect& window, const ScreenRect& area) {
    if (area.Width() <= 0 || area.Height() <= 0) return window;
    const int width = std::min(window.Width(), area.Width());
    const int height = std::min(window.Height(), area.Height());
    const int left = std::clamp(window.left, area.left, area.right - width);
    const int top = std::clamp(window.top, area.top, area.bottom - height);
    return {left, top, left + width, top + height};
}

} // namespace tamble
