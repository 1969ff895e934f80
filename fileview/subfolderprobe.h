// Settles, on a thread of its own, whether folders hold subfolders: the
// folder tree offers to expand a folder whose short look at listing time
// could not tell, and asks here for the full look.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tamble {

class SubFolderProbe {
public:
    // Told, on the probe's thread, each asked folder (CP932) and whether it
    // holds a subfolder; a folder that cannot be read holds none.
    using Report = std::function<void(const std::string& folder, bool hasSubFolders)>;

    explicit SubFolderProbe(Report report);
    // Ends the look under way, without a report, and waits for the thread.
    ~SubFolderProbe();
    SubFolderProbe(const SubFolderProbe&) = delete;
    SubFolderProbe& operator=(const SubFolderProbe&) = delete;

    // Queues folder unless it waits already; folders are looked at in the
    // order asked. The thread starts with the first.
    void Ask(std::string folder);
    // Drops the queued folders and ends the look under way, for a tree that
    // has been built afresh. A report already on its way may still come:
    // the asker ignores folders it no longer waits for.
    void Forget();

private:
    void Run();

    Report report_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> queue_;
    // Read without the lock between two entries of a look; changed under it.
    std::atomic<unsigned long long> generation_{0}; // grows with each Forget
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace tamble
