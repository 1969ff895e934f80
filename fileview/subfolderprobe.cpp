#include "subfolderprobe.h"

#include "folderlisting.h"

#include <algorithm>

namespace tamble {

SubFolderProbe::SubFolderProbe(Report report) : report_(std::move(report)) {}

SubFolderProbe::~SubFolderProbe() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void SubFolderProbe::Ask(std::string folder) {
    {
        std::lock_guard lock(mutex_);
        // A tree opened again asks again; one look answers both.
        if (std::find(queue_.begin(), queue_.end(), folder) != queue_.end()) return;
        queue_.push_back(std::move(folder));
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_all();
}

void SubFolderProbe::Forget() {
    std::lock_guard lock(mutex_);
    queue_.clear();
    ++generation_;
}

void SubFolderProbe::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const std::string folder = std::move(queue_.front());
        queue_.pop_front();
        const unsigned long long generation = generation_;
        const auto current = [this, generation] { return !stopping_ && generation_ == generation; };
        lock.unlock();
        const SubFolderLook look = LookForSubFolder(folder.c_str(), current);
        lock.lock();
        if (look != SubFolderLook::Undecided && current()) {
            lock.unlock();
            report_(folder, look == SubFolderLook::Some);
            lock.lock();
        }
    }
}

} // namespace tamble
