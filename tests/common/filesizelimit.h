// A write failure that root cannot get round, for the tests of failed saves.
// POSIX only: Windows has no limit on the size of a process's files, so
// those tests are left out of the Windows build.
#pragma once

#include <signal.h>
#include <sys/resource.h>

// While it lives, a write that would make a file of this process larger than
// bytes fails (EFBIG), also for root, which no folder permission stops.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};
