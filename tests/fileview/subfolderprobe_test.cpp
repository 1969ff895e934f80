#include "fileview/subfolderprobe.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Collects the probe's reports, which come on its own thread.
class Reports {
public:
    tamble::SubFolderProbe::Report Sink() {
        return [this](const std::string& folder, unsigned long long, bool hasSubFolders) {
            std::lock_guard lock(mutex_);
            seen_[folder] = hasSubFolders;
            arrived_.notify_all();
        };
    }
    // The reports once count have come, or when they stop coming.
    std::map<std::string, bool> Await(size_t count) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return seen_.size() >= count; });
        return seen_;
    }

    [[nodiscard]] size_t Count() {
        std::lock_guard lock(mutex_);
        return seen_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::map<std::string, bool> seen_;
};

TEST(SubFolderProbe, TellsWhetherEachAskedFolderHoldsASubfolder) {
    TempFolder disk;
    fs::create_directories(disk.File("deep/inner"));
    fs::create_directories(disk.File("flat"));
    disk.Write("flat/a.c", "");
    fs::create_directories(disk.File("late"));
    Reports reports;
    {
        tamble::SubFolderProbe probe(reports.Sink());
        unsigned long long ticket = 0;
        for (const char* folder : {"deep", "flat", "deep", "missing"})
            probe.Ask(disk.File(folder), ++ticket);
        EXPECT_EQ(reports.Await(3), (std::map<std::string, bool>{{disk.File("deep"), true},
                                                                 {disk.File("flat"), false},
                                                                 {disk.File("missing"), false}}));
        // After a fresh start of the tree the probe goes on with new asks.
        probe.Forget();
        probe.Ask(disk.File("late"), ++ticket);
        EXPECT_EQ(reports.Await(4).count(disk.File("late")), 1U);
        probe.Ask(disk.File("deep/inner"), ++ticket);
    } // ends with an ask perhaps under way, without hanging
}

TEST(SubFolderProbe, AHeldProbeLooksAtNothingUntilReleased) {
    TempFolder disk;
    fs::create_directories(disk.File("deep/inner"));
    Reports reports;
    tamble::SubFolderProbe probe(reports.Sink());
    probe.Hold();
    probe.Ask(disk.File("deep"), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(reports.Count(), 0U);
    probe.Release();
    EXPECT_EQ(reports.Await(1), (std::map<std::string, bool>{{disk.File("deep"), true}}));
}

} // namespace
