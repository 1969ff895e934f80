// Work that can wait until a window is on the screen: whatever the first
// frame does not show is done once that frame has been painted, so the
// window appears as early as it can.
#pragma once

#include <functional>

class QWidget;

namespace platform {

// Runs work once, on the event loop, right after the first paint of window
// or of any of its widgets that begins after this call has been completed
// and handed to the screen. Nothing runs when window goes before that paint.
void AfterFirstPaint(QWidget& window, std::function<void()> work);

} // namespace platform
