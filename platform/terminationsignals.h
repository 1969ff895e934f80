// SIGTERM, SIGHUP and SIGINT (logout, shutdown, a closed terminal, Ctrl+C)
// turned into something the event loop can wait for, so the program ends
// through its normal exit steps instead of dying on the spot.
//
// On Windows a program with windows gets none of these: the end of the
// session comes as window messages, which the toolkit turns into its own
// save request and quit, and WatchTerminationSignals returns -1 there.
#pragma once

namespace platform {

// Installs handlers for SIGTERM, SIGHUP and SIGINT that only write one byte
// into a pipe (all a signal handler may safely do) and returns the pipe's
// non-blocking read end: it becomes readable once such a signal has come.
// Call ReadTerminationSignal when it is. A signal that is ignored at the
// call (as nohup leaves SIGHUP) stays ignored. Returns -1, and leaves the
// signals' handling as it was, when the pipe cannot be made. Call once.
[[nodiscard]] int WatchTerminationSignals();

// Empties the pipe returned by WatchTerminationSignals. Returns the number
// of the last signal read from it, or 0 when none was waiting.
int ReadTerminationSignal(int fd);

} // namespace platform
