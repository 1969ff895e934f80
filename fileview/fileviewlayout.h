// The file view's layout rule: where its address, narrowing and filter
// boxes go for the page's width.
#pragma once

namespace tamble {

// The room "keep" has beside the narrowing box with the Windows font.
inline constexpr int kNarrowKeepWidth = 45;

// Widths and the one left edge of the file view's controls for a bottom
// strip of width W: the path box spans the strip, the filter box and the
// narrowing box end 1 and 51 pixels short of its right edge, and "keep"
// sits 45 pixels from it. A "keep" caption that needs more than 45 pixels
// (a wider font) moves "keep" left by the excess and shortens the
// narrowing box by as much, so the whole caption shows and the gap between
// the two stays; keepWidth is the width "keep" needs.
struct FileViewLayout {
    int pathAddressWidth;
    int filterWidth;
    int narrowWidth;
    int narrowKeepLeft;
    int narrowKeepWidth;
};

[[nodiscard]] constexpr FileViewLayout ComputeFileViewLayout(int stripWidth,
                                                             int keepWidth = kNarrowKeepWidth) {
    const int excess = keepWidth > kNarrowKeepWidth ? keepWidth - kNarrowKeepWidth : 0;
    return {stripWidth, stripWidth - 35, stripWidth - 85 - excess,
            stripWidth - kNarrowKeepWidth - excess, kNarrowKeepWidth + excess};
}

} // namespace tamble
