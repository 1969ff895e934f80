// Deleting, trashing and moving while another process swaps a folder of
// the tree for a symbolic link out of it: nothing outside the start folder
// may change, and whatever was left is reported.
#include "platform/fileops/fileoperations.h"

#include "platform/codepage.h"
#include "tests/common/swappingprompts.h"
#include "tests/platform/racingtree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

using platform::kFileOperationDone;
using platform::kFileOperationFailed;

enum class Operation {
    FoundForGood, // the delete-by-mask deletion of walked files
    FoundToTrash,
    FolderForGood, // the file page's delete of start/dir
    FilesForGood,  // the file page's delete of files inside sub
    FilesToTrash,
    MoveAcrossVolumes, // start/dir moved to another volume
};
enum class Moment { Question, Walk };

struct Case {
    const char* name;
    Operation operation;
    Moment moment;
    bool toRoot;     // the link points to "/" instead of the decoy
    bool leavesSome; // entries are left and reported
};

// Runs c's operation on tree, swapping sub at c's moment. Returns the result.
int RunRacing(const Case& c, RacingTree& tree, SwappingPrompts& prompts,
              platform::FileOperationContext& context) {
    const std::string link = c.toRoot ? "/" : tree.Decoy();
    const auto swap = [&tree, link] { tree.SwapSub(link); };
    prompts.yesNoAnswers = {true};
    if (c.moment == Moment::Question) prompts.whileAsking = swap;
    // During the walk: once the operation has found an entry of sub (or
    // sub itself) and before it acts on it.
    const std::string sub = tree.Sub();
    const std::string swapAt = c.operation == Operation::FilesToTrash ? sub + "/c.txt" : sub;
    if (c.moment == Moment::Walk) {
        context.calls.entryFound = [swap, swapAt, sub](const std::string& path) {
            if (path == swapAt || path.rfind(sub + "/", 0) == 0) swap();
        };
    }
    switch (c.operation) {
    case Operation::FoundForGood:
    case Operation::FoundToTrash: {
        platform::FoundEntries found;
        platform::WalkVisitor everything;
        everything.enterFolder = [](const std::string&) { return true; };
        everything.keepFile = [](const std::string&) { return true; };
        EXPECT_TRUE(platform::WalkTree(tree.Start(), everything, found));
        EXPECT_EQ(found.files.size(), 4u);
        return platform::DeleteFound(context, found, c.operation == Operation::FoundToTrash);
    }
    case Operation::FolderForGood:
        return platform::DeletePaths(context, {tree.File("start/dir")}, false);
    case Operation::FilesForGood:
    case Operation::FilesToTrash:
        return platform::DeletePaths(context, {sub + "/c.txt", sub + "/deeper"},
                                     c.operation == Operation::FilesToTrash);
    case Operation::MoveAcrossVolumes:
        context.calls.rename = [](const std::string&, const std::string&) { return EXDEV; };
        if (c.moment == Moment::Question) // a folder to merge with makes the move ask
            std::filesystem::create_directories(tree.File("dst/dir"));
        std::filesystem::create_directories(tree.File("dst"));
        return platform::MovePaths(context, {tree.File("start/dir")}, tree.File("dst"));
    }
    return -1;
}

TEST(SwapRace, NothingOutsideTheStartFolderChangesAndWhatWasLeftIsReported) {
    const Case cases[] = {
        {"mask delete, swapped during the question", Operation::FoundForGood, Moment::Question,
         false, true},
        {"mask delete, swapped to / during the question", Operation::FoundForGood, Moment::Question,
         true, true},
        {"mask delete, swapped during the walk", Operation::FoundForGood, Moment::Walk, false,
         true},
        {"mask delete, swapped to / during the walk", Operation::FoundForGood, Moment::Walk, true,
         true},
        {"mask delete to the trash, swapped during the walk", Operation::FoundToTrash, Moment::Walk,
         false, true},
        {"mask delete to the trash, swapped to / during the walk", Operation::FoundToTrash,
         Moment::Walk, true, true},
        // The link is what the delete then finds in dir, and it goes as a link.
        {"folder delete, swapped during the question", Operation::FolderForGood, Moment::Question,
         false, false},
        {"folder delete, swapped during the walk", Operation::FolderForGood, Moment::Walk, false,
         true},
        {"files delete, their folder swapped during the question", Operation::FilesForGood,
         Moment::Question, false, true},
        {"files delete, their folder swapped during the walk", Operation::FilesForGood,
         Moment::Walk, false, true},
        {"files to the trash, their folder swapped during the walk", Operation::FilesToTrash,
         Moment::Walk, false, true},
        {"move across volumes, swapped during the question", Operation::MoveAcrossVolumes,
         Moment::Question, false, false},
        {"move across volumes, swapped while removing the sources", Operation::MoveAcrossVolumes,
         Moment::Walk, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RacingTree tree;
        SwappingPrompts prompts;
        platform::FileOperationContext context;
        context.prompts = &prompts;
        context.homeTrash = tree.File("trash");
        const int result = RunRacing(c, tree, prompts, context);
        EXPECT_TRUE(tree.Swapped());
        EXPECT_TRUE(tree.DecoyUntouched());
        std::vector<std::string> messages;
        for (const auto& question : prompts.asked)
            if (question.kind == "Message") messages.push_back(question.text);
        if (!c.leavesSome) {
            EXPECT_EQ(result, kFileOperationDone);
            EXPECT_TRUE(messages.empty());
            continue;
        }
        EXPECT_EQ(result, kFileOperationFailed);
        ASSERT_EQ(messages.size(), 1u);
        // The box names an entry of the swapped folder and says it changed.
        EXPECT_NE(messages[0].find(platform::Utf8ToCp932(tree.Sub())), std::string::npos)
            << messages[0];
        EXPECT_NE(messages[0].find(platform::Cp932("置き換えられている")), std::string::npos)
            << messages[0];
        // What was not swapped went.
        if (c.operation == Operation::FoundForGood || c.operation == Operation::FoundToTrash) {
            EXPECT_FALSE(std::filesystem::exists(tree.File("start/a.txt")));
        }
    }
}

} // namespace
