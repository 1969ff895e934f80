// The end of the session (the session manager's save request, SIGTERM,
// SIGHUP) and Ctrl+C in a terminal close the main window, so the exit steps
// run exactly as when the user closes it: the settings and item.lst are
// written once, whole.
#pragma once

class QGuiApplication;

namespace tamble {

class TfrmTamble;

// Routes those ends to window.close() for as long as window lives, and runs
// the exit steps before the event loop ends for any other reason. Call once,
// after the window is created; the signals keep their default effect until
// then. Without a pipe for the signals, they keep it for good.
void CloseWithSession(QGuiApplication& application, TfrmTamble& window);

} // namespace tamble
