// Window geometry decisions: keeping a restored window reachable and
// sizing it by its outer bounds.
#pragma once

#include "core/settings.h"

#include <vector>

namespace tamble {

// How much of a window must lie on some screen to count as reachable: a
// grip of the title bar.
inline constexpr int kMinVisibleWidth = 40;
inline constexpr int kMinVisibleHeight = 20;

// window as it should be placed: unchanged when at least a
// kMinVisibleWidth x kMinVisibleHeight piece of it (or all of a smaller
// window) lies on one of screens; otherwise moved, size kept, to the
// top-left corner of primaryWorkArea. A stored position from a monitor that
// is gone would otherwise leave the window unreachable.
[[nodiscard]] ScreenRect KeepOnScreen(const ScreenRect& window,
                                      const std::vector<ScreenRect>& screens,
                                      const ScreenRect& primaryWorkArea);

// What the window manager's frame adds on each side of the client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The client-area size that gives a window of the outer size of window
// (frame included, as the settings file keeps it) with margins; at least
// 1 x 1, however thick the frame.
struct ClientSize {
    int width;
    int height;
};
[[nodiscard]] ClientSize ClientSizeFor(const ScreenRect& window, const FrameMargins& margins);

// window moved and, where larger than area, shrunk so that all of it lies
// inside area: for the first start, whose default height reaches the work
// area's bottom coordinate from its top and so overshoots it whenever a
// panel sits at the top. An empty area leaves window as it is.
[[nodiscard]] ScreenRect FitInside(const ScreenRect& window, const ScreenRect& area);

} // namespace tamble
