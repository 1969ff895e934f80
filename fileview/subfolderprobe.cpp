#include "fileview/subfolderprobe.h"

#include "fileview/folderlisting.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace tamble {

struct SubFolderProbe::Shared {
    struct Ask {
        std::string folder;
        unsigned long long ticket;
    };

    explicit Shared(Report told) : report(std::move(told)) {}

    Report report;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Ask> queue;
    bool running = false; // the thread has been started
    bool held = false;    // asks wait until Release
    // Read without the lock between two entries of a look; changed under it.
    std::atomic<unsigned long long> generation{0}; // grows with each Forget
    std::atomic<bool> stopping{false};
};

SubFolderProbe::SubFolderProbe(Report report)
    : shared_(std::make_shared<Shared>(std::move(report))) {}

SubFolderProbe::~SubFolderProbe() {
    {
        // Taken while a report is being made, so none comes after this.
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        shared_->queue.clear();
    }
    shared_->wake.notify_all();
}

void SubFolderProbe::Ask(std::string folder, unsigned long long ticket) {
    {
        std::lock_guard lock(shared_->mutex);
        std::deque<Shared::Ask>& queue = shared_->queue;
        // A tree opened again asks again; one look answers both.
        const auto waiting = std::find_if(queue.begin(), queue.end(), [&](const Shared::Ask& ask) {
            return ask.folder == folder;
        });
        if (waiting != queue.end()) {
            waiting->ticket = ticket;
            return;
        }
        queue.push_back({std::move(folder), ticket});
        StartIfDue();
    }
    shared_->wake.notify_all();
}

void SubFolderProbe::Hold() {
    std::lock_guard lock(shared_->mutex);
    shared_->held = true;
}

void SubFolderProbe::Release() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->held = false;
        StartIfDue();
    }
    shared_->wake.notify_all();
}

void SubFolderProbe::StartIfDue() {
    if (shared_->running || shared_->held || shared_->queue.empty()) return;
    shared_->running = true;
    std::thread([shared = shared_] { Run(shared); }).detach();
}

void SubFolderProbe::Forget() {
    std::lock_guard lock(shared_->mutex);
    shared_->queue.clear();
    ++shared_->generation;
}

void SubFolderProbe::Run(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(
            lock, [&] { return shared->stopping || (!shared->held && !shared->queue.empty()); });
        if (shared->stopping) return;
        const Shared::Ask ask = std::move(shared->queue.front());
        shared->queue.pop_front();
        const unsigned long long generation = shared->generation;
        const auto current = [&] { return !shared->stopping && shared->generation == generation; };
        lock.unlock();
        const SubFolderLook look = LookForSubFolder(ask.folder.c_str(), current);
        lock.lock();
        if (look != SubFolderLook::Undecided && current())
            shared->report(ask.folder, ask.ticket, look == SubFolderLook::Some);
    }
}

} // namespace tamble
