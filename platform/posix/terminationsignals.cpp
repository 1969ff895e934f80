#include "platform/terminationsignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int writeEnd = -1;

extern "C" void NoteSignal(int signal) {
    // write() is async-signal-safe; errno belongs to the code we interrupted.
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

int WatchTerminationSignals() {
    int ends[2];
    // Non-blocking both ways: a handler must never wait on a full pipe, and
    // the reader empties it without waiting. Started programs do not inherit it.
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        // A signal ignored by whoever started us (nohup, a background job)
        // stays ignored.
        struct sigaction previous {};
        if (sigaction(signal, &action, &previous) == 0 && previous.sa_handler == SIG_IGN)
            sigaction(signal, &previous, nullptr);
    }
    return ends[0];
}

int ReadTerminationSignal(int fd) {
    int last = 0;
    char bytes[64];
    for (;;) {
        const ssize_t count = read(fd, bytes, sizeof bytes);
        if (count > 0) {
            last = static_cast<unsigned char>(bytes[count - 1]);
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        return last;
    }
}

} // namespace platform
