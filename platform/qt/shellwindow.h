// The window handle the system's own boxes are owned by.
#pragma once

#include <cstdint>

class QWidget;

namespace platform {

// The native handle of widget's window on Windows, whose shell shows its
// own questions, progress and errors for file operations and program
// starts: owned by it, they open above it even while it stays on top.
// 0 elsewhere, where the system shows no such boxes, so no native window
// is made for it early.
[[nodiscard]] uintptr_t ShellOwnerWindow(QWidget* widget);

} // namespace platform
