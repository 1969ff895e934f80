// A Windows program with windows has no console and gets no signals: the
// end of the session reaches it as WM_QUERYENDSESSION and WM_ENDSESSION,
// which Qt turns into its commit-data request and its quit. There is
// nothing here to watch.
#include "platform/terminationsignals.h"

namespace platform {

int WatchTerminationSignals() {
    return -1;
}

int ReadTerminationSignal(int) {
    return 0;
}

} // namespace platform
