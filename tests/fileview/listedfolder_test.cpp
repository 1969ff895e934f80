// The file commands on the folder the page listed, held open, while its
// path is made to lead elsewhere: the listed folder, or a folder above it,
// swapped for a link to a decoy that holds the same names, between the
// listing and the command, while its question is open, or while it works.
#include "fileview/filecommands.h"
#include "fileview/fileviewstate.h"

#include "fileview/fileclipboard.h"
#include "platform/codepage.h"
#include "platform/heldfolder.h"
#include "tests/common/swappingprompts.h"
#include "tests/common/tempfolder.h"
#include "tests/common/treesnapshot.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace {

namespace fs = std::filesystem;
using platform::Cp932;
using Snapshot = std::map<std::string, std::string>;

enum class Command {
    DeleteForGood,
    Trash,
    Rename,
    NewFile,
    NewFolder,
    PasteCopyInto, // the clipboard's file pasted into the listed folder
    PasteMoveInto,
    PasteCopyOut, // the listed folder's file, cut or copied, pasted elsewhere
    PasteMoveOut,
};
enum class Swapped { Listed, Above };
enum class Moment {
    Never,         // the command does its work
    BeforeCommand, // between the listing and the command: it refuses
    Question,      // while its question is open: it refuses after the answer
    Working,       // after its last check: it works on the folder it holds
};

struct Case {
    const char* name;
    Command command;
    Moment moment;
    Swapped swapped;
};

// start/dir/sub is listed; decoy/sub holds the same names and one more.
class ListedTree {
public:
    ListedTree() {
        for (const char* name :
             {"start/dir/sub/c.txt", "start/dir/sub/e.txt", "start/dir/sub/deeper/d.txt",
              "decoy/sub/c.txt", "decoy/sub/e.txt", "decoy/sub/deeper/d.txt", "decoy/sub/keep.txt",
              "other/c.txt", "other/x.txt"}) {
            fs::create_directories(fs::path(disk_.File(name)).parent_path());
            disk_.Write(name, std::string("bytes of ") + name);
        }
        fs::create_directories(disk_.File("attic"));
        owner_.prompts = &prompts_;
        owner_.homeTrash = disk_.File("trash");
    }

    std::string Listed() const { return disk_.File("start/dir/sub"); }
    std::string Cp(const std::string& relative) const {
        return platform::Utf8ToCp932(disk_.File(relative));
    }

    // Moves the listed folder, or the folder above it, into the attic and
    // puts a link to the decoy in its place.
    void Swap(Swapped which) {
        if (swappedTo_.has_value()) return;
        const std::string moved = which == Swapped::Listed ? "start/dir/sub" : "start/dir";
        const std::string target = disk_.File(which == Swapped::Listed ? "decoy/sub" : "decoy");
        swappedTo_ = disk_.File("attic/") + fs::path(moved).filename().string();
        ASSERT_EQ(rename(disk_.File(moved).c_str(), swappedTo_->c_str()), 0);
        ASSERT_EQ(symlink(target.c_str(), disk_.File(moved).c_str()), 0);
    }
    // Where the listed folder is after the swap.
    std::string HeldNow(Swapped which) const {
        return which == Swapped::Listed ? *swappedTo_ : *swappedTo_ + "/sub";
    }

    // The tree for c: other/c.txt makes a paste out of the listed folder ask.
    void Prepare(const Case& c) {
        const bool out = c.command == Command::PasteCopyOut || c.command == Command::PasteMoveOut;
        if (out && c.moment != Moment::Question) fs::remove(disk_.File("other/c.txt"));
    }

    // Runs c's command on the listed folder held in listed.
    bool RunCommand(const Case& c, const platform::HeldFolder& listed) {
        platform::ShellOwner owner = owner_;
        owner.heldFolders = {&listed};
        const std::string folder = Cp("start/dir/sub");
        const bool into =
            c.command == Command::PasteCopyInto || c.command == Command::PasteMoveInto;
        const bool move = c.command == Command::PasteMoveInto || c.command == Command::PasteMoveOut;
        tamble::FileViewState state;
        if (into) {
            // Asked to overwrite c.txt; without a question x.txt goes alone.
            state.CurrentPath = Cp("other");
            tamble::ClipFiles(state.clipboard, state.CurrentPath,
                              {c.moment == Moment::Question ? "c.txt" : "x.txt"},
                              move ? tamble::kClipboardCut : tamble::kClipboardCopied);
        } else {
            state.CurrentPath = folder;
            tamble::ClipFiles(state.clipboard, state.CurrentPath, {"c.txt"},
                              move ? tamble::kClipboardCut : tamble::kClipboardCopied);
        }
        switch (c.command) {
        case Command::DeleteForGood:
            prompts_.yesNoAnswers = {true};
            return tamble::DeleteFiles(owner, folder, {"c.txt", "deeper"}, false);
        case Command::Trash:
            return tamble::DeleteFiles(owner, folder, {"c.txt", "deeper"}, true);
        case Command::Rename:
            prompts_.inputAnswers = {"renamed.txt"};
            return tamble::RenameFile(owner, folder, "c.txt");
        case Command::NewFile:
            prompts_.inputAnswers = {"new.txt"};
            return tamble::CreateNewFile(owner, folder);
        case Command::NewFolder:
            prompts_.inputAnswers = {"newdir"};
            return tamble::CreateNewFolder(owner, folder);
        case Command::PasteCopyInto:
        case Command::PasteMoveInto:
        case Command::PasteCopyOut:
        case Command::PasteMoveOut:
            prompts_.yesNoAnswers = {true};
            return tamble::PasteClipboard(state.clipboard, owner, into ? folder : Cp("other"), {});
        }
        return false;
    }

    TempFolder disk_;
    SwappingPrompts prompts_;
    platform::ShellOwner owner_;
    std::optional<std::string> swappedTo_;
};

bool Refused(const platform::ScriptedPrompts& prompts, const std::string& folder) {
    for (const auto& question : prompts.asked) {
        if (question.kind == "Message" && question.text == platform::FolderChangedText(folder))
            return true;
    }
    return false;
}

TEST(ListedFolder, CommandsNeverTouchTheFolderThePathLeadsToInstead) {
    using enum Command;
    using enum Moment;
    using enum Swapped;
    const Case cases[] = {
        // The commands as they are, so that a refusal below means something.
        {"delete", DeleteForGood, Never, Listed},
        {"trash", Trash, Never, Listed},
        {"rename", Rename, Never, Listed},
        {"new file", NewFile, Never, Listed},
        {"new folder", NewFolder, Never, Listed},
        {"paste a copy into it", PasteCopyInto, Never, Listed},
        {"paste a cut file into it", PasteMoveInto, Never, Listed},
        {"paste a copy of its file elsewhere", PasteCopyOut, Never, Listed},
        {"paste its cut file elsewhere", PasteMoveOut, Never, Listed},

        {"delete, swapped before", DeleteForGood, BeforeCommand, Listed},
        {"delete, folder above swapped before", DeleteForGood, BeforeCommand, Above},
        {"delete, swapped during the question", DeleteForGood, Question, Listed},
        {"delete, folder above swapped during the question", DeleteForGood, Question, Above},
        {"trash, swapped before", Trash, BeforeCommand, Listed},
        {"trash, folder above swapped before", Trash, BeforeCommand, Above},
        {"rename, swapped before", Rename, BeforeCommand, Listed},
        {"rename, swapped while naming", Rename, Question, Listed},
        {"rename, folder above swapped while naming", Rename, Question, Above},
        {"new file, swapped before", NewFile, BeforeCommand, Above},
        {"new file, swapped while naming", NewFile, Question, Listed},
        {"new folder, swapped before", NewFolder, BeforeCommand, Listed},
        {"new folder, folder above swapped while naming", NewFolder, Question, Above},
        {"paste into it, swapped before", PasteCopyInto, BeforeCommand, Listed},
        {"paste into it, swapped during the question", PasteCopyInto, Question, Above},
        {"move into it, folder above swapped before", PasteMoveInto, BeforeCommand, Above},
        {"move into it, swapped during the question", PasteMoveInto, Question, Listed},
        {"copy out of it, swapped before", PasteCopyOut, BeforeCommand, Listed},
        {"copy out of it, folder above swapped during the question", PasteCopyOut, Question, Above},
        {"move out of it, swapped before", PasteMoveOut, BeforeCommand, Above},
        {"move out of it, swapped during the question", PasteMoveOut, Question, Listed},

        // Swapped after the last look: the work goes on in the folder held.
        {"delete, swapped while deleting", DeleteForGood, Working, Listed},
        {"trash, folder above swapped while trashing", Trash, Working, Above},
        {"rename, swapped while renaming", Rename, Working, Listed},
        {"move into it, folder above swapped while moving", PasteMoveInto, Working, Above},
        {"paste a copy into it, swapped while copying", PasteCopyInto, Working, Listed},
        {"paste a copy into it, folder above swapped while copying", PasteCopyInto, Working, Above},
        {"move out of it, swapped while moving", PasteMoveOut, Working, Listed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tree = std::make_unique<ListedTree>();
        ListedTree* t = tree.get();
        t->Prepare(c);
        platform::HeldFolder listed;
        ASSERT_EQ(listed.Open(t->Listed()), 0);
        const Snapshot decoy = TreeSnapshot(t->disk_.File("decoy"));
        const Snapshot held = TreeSnapshot(t->Listed());
        const Snapshot other = TreeSnapshot(t->disk_.File("other"));
        const auto swap = [t, &c] { t->Swap(c.swapped); };
        if (c.moment == BeforeCommand) swap();
        if (c.moment == Question) t->prompts_.whileAsking = t->prompts_.whileNaming = swap;
        if (c.moment == Working) {
            t->owner_.calls.entryFound = [swap](const std::string&) { swap(); };
            t->owner_.calls.rename = [swap](const std::string&, const std::string&) {
                swap();
                return 0;
            };
            t->owner_.calls.beforeCopy = t->owner_.calls.rename;
        }
        const bool done = t->RunCommand(c, listed);
        EXPECT_EQ(TreeSnapshot(t->disk_.File("decoy")), decoy);
        if (c.moment == Never) {
            EXPECT_TRUE(done);
            EXPECT_TRUE(TreeSnapshot(t->Listed()) != held ||
                        TreeSnapshot(t->disk_.File("other")) != other);
            continue;
        }
        ASSERT_TRUE(t->swappedTo_.has_value());
        const Snapshot heldNow = TreeSnapshot(t->HeldNow(c.swapped));
        if (c.moment == Working) {
            EXPECT_TRUE(done);
            EXPECT_TRUE(heldNow != held || TreeSnapshot(t->disk_.File("other")) != other);
            continue;
        }
        EXPECT_FALSE(done);
        EXPECT_EQ(heldNow, held);
        EXPECT_EQ(TreeSnapshot(t->disk_.File("other")), other);
        EXPECT_TRUE(Refused(t->prompts_, t->Listed()));
    }
}

} // namespace
