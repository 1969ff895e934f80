// A second process for the Windows instance-lock tests: takes the lock
// named by its argument and ends, with 0 when it got the lock, 1 when
// another process holds it.
#include "platform/instancelock.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    return platform::AcquireInstanceLock(argv[1]) ? 0 : 1;
}
