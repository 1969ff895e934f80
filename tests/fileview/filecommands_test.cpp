// The file commands on real temporary trees, through the Linux file
// operations, with the user's answers scripted and the trash redirected.
#include "fileview/filecommands.h"
#include "fileview/fileviewstate.h"

#include "fileview/fileclipboard.h"
#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using platform::Cp932;
using tamble::kClipboardCopied;
using tamble::kClipboardCut;
using Strings = std::vector<std::string>;

// Also records the value each input box proposed.
class RecordingPrompts : public platform::ScriptedPrompts {
public:
    Strings proposed;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& value, int maxLength) override {
        proposed.push_back(value);
        return ScriptedPrompts::Input(caption, prompt, value, maxLength);
    }
};

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        owner_.prompts = &prompts_;
        owner_.homeTrash = disk_.File("trash");
        for (const char* folder : {"src", "dst", "other"})
            fs::create_directories(disk_.File(folder));
        disk_.Write("src/a.txt", "a");
        disk_.Write("src/b.txt", "b");
    }

    // CP932 path of a relative name (the test folder's own path is ASCII).
    std::string Path(const std::string& relative) const {
        return platform::Utf8ToCp932(disk_.File(relative));
    }
    bool Exists(const std::string& relative) const {
        return fs::exists(fs::symlink_status(disk_.File(relative)));
    }
    // Kind and title of every question asked, then forgets them.
    Strings Asked() {
        Strings asked;
        for (const auto& question : prompts_.asked)
            asked.push_back(question.kind + " " + question.title);
        prompts_.asked.clear();
        return asked;
    }

    TempFolder disk_;
    RecordingPrompts prompts_;
    platform::ShellOwner owner_;
    tamble::FileViewState state_;
};

TEST_F(FileCommandsTest, PasteCopiesWithNewNamesAtHomeAndAsksElsewhere) {
    state_.CurrentPath = Path("src");
    ASSERT_TRUE(
        tamble::ClipFiles(state_.clipboard, state_.CurrentPath, {"a.txt"}, kClipboardCopied));
    EXPECT_TRUE(tamble::PasteClipboard(state_.clipboard, owner_, Path("src"), {}));
    EXPECT_TRUE(Exists("src/a (2).txt"));
    EXPECT_TRUE(Asked().empty());
    // The clipboard stays: a second paste makes another copy.
    EXPECT_TRUE(tamble::PasteClipboard(state_.clipboard, owner_, Path("src"), {}));
    EXPECT_TRUE(Exists("src/a (3).txt"));

    // Into a folder that holds the name: the overwrite question; No keeps the old file.
    disk_.Write("dst/a.txt", "old");
    prompts_.yesNoAnswers = {false};
    EXPECT_FALSE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), {}));
    EXPECT_EQ(disk_.Read("dst/a.txt"), "old");
    EXPECT_EQ(Asked().size(), 1u);
    prompts_.yesNoAnswers = {true};
    EXPECT_TRUE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), {}));
    EXPECT_EQ(disk_.Read("dst/a.txt"), "a");
    EXPECT_EQ(Asked().size(), 1u);

    state_.clipboard.ClipboardFiles.clear();
    EXPECT_FALSE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), {}));
    EXPECT_TRUE(Asked().empty());
}

TEST_F(FileCommandsTest, PasteAfterAMoveFailsAndChangesNothing) {
    state_.CurrentPath = Path("src");
    ASSERT_TRUE(
        tamble::ClipFiles(state_.clipboard, state_.CurrentPath, {"a.txt", "b.txt"}, kClipboardCut));
    EXPECT_TRUE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), {}));
    EXPECT_TRUE(Exists("dst/a.txt") && Exists("dst/b.txt"));
    EXPECT_FALSE(Exists("src/a.txt") || Exists("src/b.txt"));
    EXPECT_EQ(state_.clipboard.ClipboardFiles.size(), 2u);

    EXPECT_FALSE(tamble::PasteClipboard(state_.clipboard, owner_, Path("other"), {}));
    EXPECT_FALSE(Exists("other/a.txt") || Exists("other/b.txt"));
    EXPECT_TRUE(Exists("dst/a.txt") && Exists("dst/b.txt"));
    const Strings asked = Asked();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front().rfind("Message", 0), 0u);
}

TEST_F(FileCommandsTest, DrivesAreNeverDeletedMovedOrRenamed) {
    const Strings drives = {Path("src")};
    tamble::ClipFolder(state_.clipboard, Path("src"), kClipboardCut);
    EXPECT_FALSE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), drives));
    EXPECT_FALSE(tamble::DeleteFolder(owner_, Path("src"), true, drives));
    EXPECT_FALSE(tamble::RenameFolder(owner_, Path("src"), "src", drives).has_value());
    EXPECT_EQ(Asked(), (Strings{"Message " + Cp932("エラー"), "Message " + Cp932("エラー"),
                                "Message " + Cp932("エラー")}));
    EXPECT_TRUE(Exists("src/a.txt"));
    // A copied drive may still be pasted somewhere else.
    tamble::ClipFolder(state_.clipboard, Path("src"), kClipboardCopied);
    EXPECT_TRUE(tamble::PasteClipboard(state_.clipboard, owner_, Path("dst"), drives));
    EXPECT_TRUE(Exists("dst/src/a.txt"));
}

TEST_F(FileCommandsTest, DeleteToTheTrashOrForGoodAfterAYes) {
    fs::create_directories(disk_.File("src/sub"));
    disk_.Write("src/sub/c.txt", "c");
    EXPECT_TRUE(tamble::DeleteFolder(owner_, Path("src/sub"), true, {}));
    EXPECT_FALSE(Exists("src/sub"));
    EXPECT_TRUE(Exists("trash/files/sub/c.txt"));
    EXPECT_TRUE(Asked().empty());

    prompts_.yesNoAnswers = {false};
    EXPECT_FALSE(tamble::DeleteFiles(owner_, Path("src"), {"a.txt", "b.txt"}, false));
    EXPECT_TRUE(Exists("src/a.txt") && Exists("src/b.txt"));
    prompts_.yesNoAnswers = {true};
    EXPECT_TRUE(tamble::DeleteFiles(owner_, Path("src"), {"a.txt", "b.txt"}, false));
    EXPECT_FALSE(Exists("src/a.txt") || Exists("src/b.txt"));
    EXPECT_FALSE(Exists("trash/files/a.txt"));
    EXPECT_EQ(Asked().size(), 2u);

    EXPECT_FALSE(tamble::DeleteFiles(owner_, Path("src"), {}, true));
    EXPECT_TRUE(Asked().empty());
}

TEST_F(FileCommandsTest, RenameAsksForTheNameAndRefusesWhatIsNoName) {
    fs::create_directories(disk_.File("src/old/inner"));
    const struct {
        const char* name;
        std::optional<std::string> answer;
        bool renamed;
        bool refused;
    } cases[] = {
        {"cancelled", std::nullopt, false, false},    {"left empty", "", false, false},
        {"unchanged", "old", false, false},           {"a path upwards", "../up", false, true},
        {"a path downwards", "inner/x", false, true}, {"a dot", ".", false, true},
        {"a new name", Cp932("新しい"), true, false},
    };
    for (const auto& c : cases) {
        prompts_.inputAnswers = {c.answer};
        prompts_.proposed.clear();
        const std::optional<std::string> renamed =
            tamble::RenameFolder(owner_, Path("src/old"), "old", {});
        EXPECT_EQ(renamed.has_value(), c.renamed) << c.name;
        EXPECT_EQ(prompts_.proposed, Strings{"old"}) << c.name;
        Strings expected = {"Input " + Cp932("フォルダ名の変更")};
        if (c.refused) expected.push_back("Message " + Cp932("エラー"));
        EXPECT_EQ(Asked(), expected) << c.name;
        if (!c.renamed) {
            EXPECT_TRUE(Exists("src/old/inner")) << c.name;
        }
    }
    EXPECT_EQ(prompts_.asked.size(), 0u);
    EXPECT_TRUE(Exists("src/新しい/inner"));
    EXPECT_FALSE(Exists("up") || Exists("src/up"));

    prompts_.inputAnswers = {std::string("c.txt")};
    EXPECT_TRUE(tamble::RenameFile(owner_, Path("src"), "a.txt"));
    EXPECT_EQ(prompts_.asked.at(0).text, Cp932("新しいファイル名を入力してください"));
    EXPECT_EQ(prompts_.proposed.back(), "a.txt");
    EXPECT_TRUE(Exists("src/c.txt"));
    EXPECT_FALSE(Exists("src/a.txt"));
    // A name already taken: the shell refuses and says so; nothing is replaced.
    Asked();
    prompts_.inputAnswers = {std::string("b.txt")};
    EXPECT_FALSE(tamble::RenameFile(owner_, Path("src"), "c.txt"));
    EXPECT_EQ(disk_.Read("src/b.txt"), "b");
    EXPECT_EQ(disk_.Read("src/c.txt"), "a");
}

TEST_F(FileCommandsTest, CreateRefusesTakenNamesOfTheSameKindWithABox) {
    fs::create_directories(disk_.File("src/sub"));
    fs::create_symlink(disk_.File("nowhere"), disk_.File("src/dangling"));
    const struct {
        const char* name;
        bool folder;
        std::string answer;
        bool created;
        const char* box; // title of the box shown, or null
    } cases[] = {
        {"new folder", true, Cp932("新フォルダ"), true, nullptr},
        {"folder taken", true, "sub", false, "フォルダ作れませんよっ"},
        {"folder name taken by a file", true, "a.txt", false, nullptr},
        {"new file", false, "new.txt", true, nullptr},
        {"file taken", false, "b.txt", false, "ファイル作れませんよっ"},
        {"file name taken by a folder", false, "sub", false, nullptr},
        {"dangling link is not followed", false, "dangling", false, nullptr},
    };
    for (const auto& c : cases) {
        prompts_.inputAnswers = {c.answer};
        const bool created = c.folder ? tamble::CreateNewFolder(owner_, Path("src"))
                                      : tamble::CreateNewFile(owner_, Path("src"));
        EXPECT_EQ(created, c.created) << c.name;
        ASSERT_FALSE(prompts_.asked.empty()) << c.name;
        EXPECT_EQ(prompts_.asked[0].title,
                  Cp932(c.folder ? "フォルダの新規作成" : "ファイルの新規作成"))
            << c.name;
        EXPECT_EQ(prompts_.asked[0].text, Cp932(c.folder ? "作成するフォルダ名を入力してください"
                                                         : "作成するファイル名を入力してください"))
            << c.name;
        EXPECT_EQ(prompts_.proposed.back(), "") << c.name;
        if (c.box != nullptr) {
            ASSERT_EQ(prompts_.asked.size(), 2u) << c.name;
            EXPECT_EQ(prompts_.asked[1].title, Cp932(c.box)) << c.name;
            EXPECT_EQ(prompts_.asked[1].text,
                      Cp932(c.folder ? "その名前のフォルダはすでに存在します！！"
                                     : "その名前のファイルはすでに存在します！！"))
                << c.name;
        } else {
            EXPECT_EQ(prompts_.asked.size(), 1u) << c.name;
        }
        prompts_.asked.clear();
    }
    EXPECT_TRUE(fs::is_directory(disk_.File("src/新フォルダ")));
    EXPECT_EQ(disk_.Read("src/new.txt"), "");
    EXPECT_EQ(disk_.Read("src/b.txt"), "b");
    EXPECT_FALSE(Exists("nowhere"));

    prompts_.inputAnswers = {std::nullopt};
    EXPECT_FALSE(tamble::CreateNewFile(owner_, Path("src")));
}

TEST(EntryName, TakesBareNamesOnly) {
    const struct {
        const char* name;
        bool ok;
    } cases[] = {{"a.txt", true},  {".profile", true}, {"a b", true}, {"...", true},
                 {"", false},      {".", false},       {"..", false}, {"/", false},
                 {"sub/a", false}, {"a/", false},      {"/a", false}};
    for (const auto& c : cases)
        EXPECT_EQ(tamble::IsEntryName(c.name), c.ok) << c.name;
}

} // namespace

namespace {

// The file page's deletes act on the entries shown: a folder swapped for a
// link to another folder after the command was given is never followed.
TEST_F(FileCommandsTest, DeletesNeverFollowAFolderSwappedForALink) {
    const struct {
        const char* name;
        bool folder; // DeleteFolder of src/sub, else DeleteFiles of its files
        bool toTrash;
        bool left; // the entry is left and reported
    } cases[] = {
        // Reached through the folder already open: the file found goes.
        {"files for good", false, false, false},
        {"files to the trash", false, true, true},
        {"folder for good", true, false, true},
        {"folder to the trash", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(disk_.File("src"));
        fs::remove_all(disk_.File("other"));
        fs::create_directories(disk_.File("src/sub"));
        fs::create_directories(disk_.File("other"));
        disk_.Write("src/sub/a.txt", "a");
        disk_.Write("other/a.txt", "other a");
        prompts_.asked.clear();
        prompts_.yesNoAnswers = {true};
        // Swapped once the delete has pinned what it deletes.
        owner_.calls.entryFound = [this](const std::string&) {
            if (fs::is_symlink(disk_.File("src/sub"))) return;
            fs::rename(disk_.File("src/sub"), disk_.File("src/moved"));
            fs::create_directory_symlink(disk_.File("other"), disk_.File("src/sub"));
        };
        const bool changed =
            c.folder ? tamble::DeleteFolder(owner_, Path("src/sub"), c.toTrash, {})
                     : tamble::DeleteFiles(owner_, Path("src/sub"), {"a.txt"}, c.toTrash);
        EXPECT_EQ(changed, !c.left);
        EXPECT_EQ(disk_.Read("other/a.txt"), "other a");
        EXPECT_TRUE(fs::is_symlink(disk_.File("src/sub")));
        EXPECT_EQ(Exists("src/moved/a.txt"), c.left);
        const Strings asked = Asked();
        if (c.left) {
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked.back(), "Message " + Cp932("エラー"));
        }
    }
    owner_.calls.entryFound = nullptr;
}

} // namespace
