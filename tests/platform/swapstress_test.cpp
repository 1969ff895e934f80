// The swap race run for real: a second thread keeps swapping a folder for
// a link to a decoy while the tree is deleted. However the two interleave,
// the decoy keeps every byte. Not timed; a hundred small runs.
#include "platform/fileops/fileoperations.h"

#include "tests/common/scriptedprompts.h"
#include "tests/platform/racingtree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kRuns = 100;

// Until stop: sub becomes a link to the decoy, then the folder again.
void KeepSwapping(const RacingTree& tree, const std::atomic<bool>& stop) {
    const std::string sub = tree.Sub();
    const std::string aside = tree.File("start/dir/sub.aside");
    const std::string decoy = tree.Decoy();
    while (!stop.load()) {
        if (rename(sub.c_str(), aside.c_str()) != 0) continue; // gone: deleted by now
        (void)symlink(decoy.c_str(), sub.c_str());
        std::this_thread::yield();
        (void)unlink(sub.c_str());
        (void)rename(aside.c_str(), sub.c_str());
    }
}

TEST(SwapStress, TheDecoyKeepsEveryByte) {
    for (int run = 0; run < kRuns; ++run) {
        RacingTree tree;
        platform::ScriptedPrompts prompts;
        platform::FileOperationContext context;
        context.prompts = &prompts;
        prompts.yesNoAnswers = {true};
        std::atomic<bool> stop{false};
        std::thread swapper(KeepSwapping, std::cref(tree), std::cref(stop));
        if (run % 2 == 0) {
            (void)platform::DeletePaths(context, {tree.File("start/dir")}, false);
        } else {
            platform::FoundEntries found;
            platform::WalkVisitor everything;
            everything.enterFolder = [](const std::string&) { return true; };
            everything.keepFile = [](const std::string&) { return true; };
            platform::WalkTree(tree.Start(), everything, found);
            (void)platform::DeleteFound(context, found, false);
        }
        stop = true;
        swapper.join();
        ASSERT_TRUE(tree.DecoyUntouched()) << "run " << run;
    }
}

} // namespace
