#include "tools/tfrmdeletefilesfrommask.h"

#include "platform/codepage.h"
#include "tests/common/swappingprompts.h"
#include "tests/common/tempfolder.h"
#include "tests/common/windowsskip.h"
#include "tools/maskedfiles.h"
#include "widgets/qtext.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using platform::FromCp932;
using platform::Utf8ToCp932;
using tamble::TfrmDeleteFilesFromMask;
using Texts = std::vector<std::string>;

class DeleteDialog : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.o", "b.o", "keep.o", "notes.txt", "sub/c.o", "build/d.o"}) {
            fs::create_directories(fs::path(tree_.File(name)).parent_path());
            tree_.Write(name, "x");
        }
        currentPath_ = tree_.Path();
        shell_.prompts = &prompts_;
        shell_.homeTrash = trash_.Path();
    }

    std::unique_ptr<TfrmDeleteFilesFromMask> Open() {
        return std::make_unique<TfrmDeleteFilesFromMask>(nullptr, currentPath_, options_, tools_,
                                                         shell_);
    }

    bool Exists(const char* name) const { return fs::exists(tree_.File(name)); }

    TempFolder tree_;
    TempFolder trash_;
    std::string currentPath_; // the file view's folder
    tamble::AppOptions options_;
    tamble::ToolState tools_;
    platform::ScriptedPrompts prompts_;
    platform::ShellOwner shell_;
};

TEST_F(DeleteDialog, TabOrder) {
    auto dialog = Open();
    const QWidget* expected[] = {dialog->cmbDeleteFilesMask,
                                 dialog->chkFindSubFolders,
                                 dialog->Button1,
                                 dialog->Button2,
                                 dialog->cmbOutOfFilePattern,
                                 dialog->cmbOutOfFolderPattern,
                                 dialog->chkOutOfFilePattern,
                                 dialog->chkOutOfFolderPattern,
                                 dialog->edtFilePath,
                                 dialog->chkDeleteEraseBox};
    // The chain also runs through the combo boxes' own edits; only the
    // order of the named controls counts.
    std::vector<const QWidget*> chain;
    const QWidget* at = expected[0];
    do {
        if (std::find(std::begin(expected), std::end(expected), at) != std::end(expected))
            chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at != expected[0] && chain.size() < std::size(expected));
    EXPECT_EQ(chain, std::vector<const QWidget*>(std::begin(expected), std::end(expected)));
}

TEST_F(DeleteDialog, UpdateDeleteControls) {
    struct Case {
        bool sub, files, folders;
        bool checksEnabled, fileComboEnabled, folderComboEnabled;
    };
    const Case cases[] = {{false, false, false, false, false, false},
                          {false, true, true, false, false, false},
                          {true, false, false, true, false, false},
                          {true, true, false, true, true, false},
                          {true, true, true, true, true, true}};
    auto dialog = Open();
    for (const Case& c : cases) {
        dialog->chkFindSubFolders->setChecked(c.sub);
        dialog->chkOutOfFilePattern->setChecked(c.files);
        dialog->chkOutOfFolderPattern->setChecked(c.folders);
        dialog->UpdateDeleteControls();
        const std::string row =
            std::to_string(c.sub) + std::to_string(c.files) + std::to_string(c.folders);
        EXPECT_EQ(dialog->chkOutOfFilePattern->isEnabled(), c.checksEnabled) << row;
        EXPECT_EQ(dialog->chkOutOfFolderPattern->isEnabled(), c.checksEnabled) << row;
        EXPECT_EQ(dialog->cmbOutOfFilePattern->isEnabled(), c.fileComboEnabled) << row;
        EXPECT_EQ(dialog->cmbOutOfFolderPattern->isEnabled(), c.folderComboEnabled) << row;
        // Ticks survive being disabled.
        EXPECT_EQ(dialog->chkOutOfFilePattern->isChecked(), c.files) << row;
    }
    dialog->chkFindSubFolders->click(); // clicking runs the rule
    EXPECT_FALSE(dialog->chkOutOfFolderPattern->isEnabled());
}

TEST_F(DeleteDialog, StateComesFromAndGoesBackToTheMainWindowEvenOnCancel) {
    options_.DeleteFilesFindSubFolders = true;
    options_.DeleteFilesOutOfFolderPattern = true;
    tools_.cmbDeleteFilesFromMask = {"*.o", "*.obj"};
    tools_.cmbOutOfFolderPattern = {"build"};
    {
        auto dialog = Open();
        EXPECT_EQ(dialog->edtFilePath->text(), FromCp932(tree_.Path()));
        EXPECT_TRUE(dialog->chkOutOfFolderPattern->isChecked());
        EXPECT_FALSE(dialog->chkOutOfFilePattern->isChecked());
        EXPECT_EQ(dialog->cmbDeleteFilesMask->currentText(), QStringLiteral("*.o"));
        EXPECT_EQ(dialog->cmbDeleteFilesMask->count(), 2);
        EXPECT_EQ(dialog->cmbOutOfFolderPattern->currentText(), QStringLiteral("build"));
        EXPECT_FALSE(dialog->cmbOutOfFilePattern->isEnabled());

        dialog->chkDeleteEraseBox->setChecked(true);
        dialog->chkFindSubFolders->setChecked(false);
        dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("typed but not used"));
        dialog->Button2->click();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_TRUE(options_.DeleteFilesDeleteEraseBox);
    EXPECT_FALSE(options_.DeleteFilesFindSubFolders);
    EXPECT_TRUE(options_.DeleteFilesOutOfFolderPattern);
    EXPECT_EQ(tools_.cmbDeleteFilesFromMask, (Texts{"*.o", "*.obj"}));
    EXPECT_EQ(tools_.cmbOutOfFolderPattern, (Texts{"build"}));
    EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(DeleteDialog, EmptyMaskWarnsAndStaysOpen) {
    auto dialog = Open();
    dialog->show();
    dialog->Button1->click();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, Utf8ToCp932("マスクパターンを入力してください"));
    EXPECT_EQ(prompts_.asked[0].title, Utf8ToCp932("警告"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Exists("a.o"));
}

TEST_F(DeleteDialog, NothingFoundStillRecordsTheHistories) {
    tools_.cmbDeleteFilesFromMask = {"*.o"};
    auto dialog = Open();
    dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.none"));
    dialog->cmbOutOfFilePattern->setEditText(QStringLiteral("keep*"));
    dialog->Button1->click();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "Message");
    EXPECT_EQ(prompts_.asked[0].text, Utf8ToCp932("削除するファイルが見つかりませんでした"));
    EXPECT_EQ(prompts_.asked[0].title, Utf8ToCp932("結果"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog.reset();
    EXPECT_EQ(tools_.cmbDeleteFilesFromMask, (Texts{"*.none", "*.o"}));
    EXPECT_EQ(tools_.cmbOutOfFilePattern, (Texts{"keep*"}));
    EXPECT_TRUE(tools_.cmbOutOfFolderPattern.empty());
}

TEST_F(DeleteDialog, DeletesForGoodAfterAQuestionNamingCountAndFolder) {
    TAMBLE_SKIP_ON_WINDOWS("the question for good is the shell's own on Windows; the Windows "
                           "deletion has its own tests");
    options_.DeleteFilesFindSubFolders = true;
    options_.DeleteFilesOutOfFilePattern = true;
    options_.DeleteFilesOutOfFolderPattern = true;
    tools_.cmbOutOfFilePattern = {"keep*"};
    tools_.cmbOutOfFolderPattern = {"build"};
    for (bool answer : {false, true}) {
        prompts_.asked.clear();
        prompts_.yesNoAnswers = {answer};
        auto dialog = Open();
        dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.o"));
        dialog->Button1->click();
        ASSERT_EQ(prompts_.asked.size(), 1u);
        EXPECT_EQ(prompts_.asked[0].kind, "YesNo");
        const std::string& question = prompts_.asked[0].text;
        EXPECT_NE(question.find(" 3 "), std::string::npos) << question;
        EXPECT_NE(question.find(tree_.Path() + "/"), std::string::npos) << question;
        EXPECT_EQ(Exists("a.o"), !answer);
        EXPECT_EQ(Exists("sub/c.o"), !answer);
    }
    EXPECT_TRUE(Exists("keep.o"));
    EXPECT_TRUE(Exists("build/d.o"));
    EXPECT_TRUE(Exists("notes.txt"));
    EXPECT_TRUE(Exists("sub"));
}

// The question counts every file found and names the first ten in the
// order the search found them, also when it names only some of them; a Yes
// then deletes exactly those.
TEST_F(DeleteDialog, TheQuestionNamesExactlyTheFilesFound) {
    struct Case {
        const char* name;
        int top, nested; // matching files in the folder and in a subfolder
        const char* rest;
    };
    const Case cases[] = {{"fewer than a box shows", 2, 1, ""},
                          {"exactly a box", 6, 4, ""},
                          {"more than a box", 9, 5, "\nほか 4 個"}};
    options_.DeleteFilesFindSubFolders = true;
    for (const Case& c : cases) {
        TempFolder folder;
        fs::create_directory(folder.File("sub"));
        for (int i = 0; i < c.top + c.nested; ++i)
            folder.Write((i < c.top ? "m" : "sub/m") + std::to_string(i) + ".x", "x");
        folder.Write("other.y", "x");
        std::vector<std::string> found;
        tamble::MaskedFileOptions withSubFolders;
        withSubFolders.findSubFolders = true;
        tamble::CollectMaskedFiles(folder.Path(), "*.x", withSubFolders, found);
        ASSERT_EQ(found.size(), static_cast<size_t>(c.top + c.nested)) << c.name;
        std::string expected = Utf8ToCp932("次の ") + std::to_string(found.size()) +
                               Utf8ToCp932(" 個の項目を完全に削除します。元に戻すことはできま"
                                           "せん。よろしいですか？\n");
        for (size_t i = 0; i < found.size() && i < 10; ++i)
            expected += "\n" + found[i];
        expected += Utf8ToCp932(c.rest);

        currentPath_ = folder.Path();
        prompts_.asked.clear();
        prompts_.yesNoAnswers = {true};
        auto dialog = Open();
        dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.x"));
        dialog->Button1->click();
        ASSERT_EQ(prompts_.asked.size(), 1u) << c.name;
        EXPECT_EQ(prompts_.asked[0].text, expected) << c.name;
        for (const std::string& path : found)
            EXPECT_FALSE(fs::exists(path)) << c.name << ": " << path;
        EXPECT_TRUE(fs::exists(folder.File("other.y"))) << c.name;
    }
}

TEST_F(DeleteDialog, ToTheTrashWhenTicked) {
    TAMBLE_SKIP_ON_WINDOWS(
        "it looks into the freedesktop.org trash; on Windows the Recycle Bin is the shell's");
    options_.DeleteFilesDeleteEraseBox = true;
    auto dialog = Open();
    dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("a.o;b.o"));
    dialog->Button1->click();
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_FALSE(Exists("a.o"));
    EXPECT_TRUE(fs::exists(trash_.File("files/a.o")));
    EXPECT_TRUE(fs::exists(trash_.File("files/b.o")));
    EXPECT_TRUE(Exists("sub/c.o"));
}

TEST_F(DeleteDialog, ATypedMaskIsNotCompletedFromTheHistory) {
    // "*.o" typed key by key must not become the older "*.obj;*.txt", which
    // would delete files the user never named.
    tools_.cmbDeleteFilesFromMask = {"*.obj;*.txt"};
    prompts_.yesNoAnswers = {true};
    auto dialog = Open();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QComboBox* combo = dialog->cmbDeleteFilesMask;
    combo->setFocus();
    combo->clearEditText();
    QTest::keyClicks(combo, QStringLiteral("*.o"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("*.o"));
    QTest::keyClick(combo, Qt::Key_Return); // the default button deletes
    EXPECT_FALSE(Exists("a.o"));
    EXPECT_TRUE(Exists("notes.txt"));
}

TEST_F(DeleteDialog, DownOpensTheListAndAKeyChoiceMovesToTheTop) {
    tools_.cmbDeleteFilesFromMask = {"*.o", "*.obj", "*.tmp"};
    auto dialog = Open();
    dialog->show();
    QComboBox* combo = dialog->cmbDeleteFilesMask;
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(combo->view()->isVisible());
    combo->hidePopup();

    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Up); // a keyboard choice of "*.obj"
    EXPECT_EQ(combo->itemText(0), QStringLiteral("*.obj"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("*.o"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("*.obj"));
}

// A folder swapped for a link to a folder outside, by another process.
void SwapForLink(const std::string& folder, const std::string& outside) {
    fs::rename(folder, outside + "/moved");
    fs::create_directory_symlink(outside, folder);
}

TEST_F(DeleteDialog, AFolderSwappedDuringTheSearchIsNamedAndNotEntered) {
    TAMBLE_SKIP_ON_WINDOWS("it swaps a folder for a symbolic link, which Wine cannot make; the "
                           "Windows walk has its own tests");
    TempFolder decoy;
    decoy.Write("e.o", "keep");
    options_.DeleteFilesFindSubFolders = true;
    shell_.calls.entryFound = [this, &decoy](const std::string& path) {
        if (path == tree_.File("sub")) SwapForLink(path, decoy.Path());
    };
    prompts_.yesNoAnswers = {true};
    auto dialog = Open();
    dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.o"));
    dialog->Button1->click();
    EXPECT_EQ(decoy.Read("e.o"), "keep");
    EXPECT_FALSE(Exists("a.o"));
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_EQ(prompts_.asked[0].kind, "YesNo");
    EXPECT_EQ(prompts_.asked[1].title, Utf8ToCp932("警告"));
    EXPECT_NE(prompts_.asked[1].text.find(Utf8ToCp932("検索できませんでした")), std::string::npos);
    EXPECT_NE(prompts_.asked[1].text.find(tree_.File("sub")), std::string::npos);
}

TEST_F(DeleteDialog, AFolderSwappedDuringTheQuestionLeavesTheDecoyAndIsReported) {
    TAMBLE_SKIP_ON_WINDOWS("it swaps a folder for a symbolic link, which Wine cannot make; the "
                           "Windows walk has its own tests");
    TempFolder decoy;
    decoy.Write("c.o", "keep"); // the name that the swapped folder held
    SwappingPrompts swapping;
    swapping.whileAsking = [this, &decoy] { SwapForLink(tree_.File("sub"), decoy.Path()); };
    swapping.yesNoAnswers = {true};
    shell_.prompts = &swapping;
    options_.DeleteFilesFindSubFolders = true;
    auto dialog = Open();
    dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.o"));
    dialog->Button1->click();
    EXPECT_EQ(decoy.Read("c.o"), "keep");
    EXPECT_FALSE(Exists("a.o"));
    EXPECT_FALSE(Exists("build/d.o"));
    ASSERT_EQ(swapping.asked.size(), 2u);
    EXPECT_EQ(swapping.asked[1].kind, "Message");
    EXPECT_NE(swapping.asked[1].text.find(tree_.File("sub/c.o")), std::string::npos);
}

// Files of one folder are pinned when found, whether by a look at each or
// by the folder's listing: a file replaced by another of the same name
// while the user reads the question stays, and the rest go.
TEST_F(DeleteDialog, FilesReplacedDuringTheQuestionStayAndAreReported) {
    TempFolder folder;
    constexpr int kFiles = 8;
    for (int i = 0; i < kFiles; ++i)
        folder.Write("f" + std::to_string(i) + ".o", "old");
    const auto replaced = [](int i) { return i % 2 == 1; };
    SwappingPrompts swapping;
    swapping.whileAsking = [&] {
        for (int i = 0; i < kFiles; ++i) {
            if (!replaced(i)) continue;
            // Made beside the old one first, so that it cannot get its inode.
            const std::string name = "f" + std::to_string(i) + ".o";
            fs::rename(folder.Write("new.tmp", "new"), folder.File(name));
        }
    };
    swapping.yesNoAnswers = {true};
    shell_.prompts = &swapping;
    currentPath_ = folder.Path();
    auto dialog = Open();
    dialog->cmbDeleteFilesMask->setEditText(QStringLiteral("*.o"));
    dialog->Button1->click();
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "f" + std::to_string(i) + ".o";
        EXPECT_EQ(fs::exists(folder.File(name)), replaced(i)) << name;
        if (replaced(i)) {
            EXPECT_EQ(folder.Read(name), "new") << name;
        }
    }
    ASSERT_EQ(swapping.asked.size(), 2u);
    EXPECT_EQ(swapping.asked[1].kind, "Message");
    EXPECT_NE(swapping.asked[1].text.find(folder.File("f1.o")), std::string::npos);
}

TEST_F(DeleteDialog, EntryFunctionAsksForARefresh) {
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    tamble::ShowDeleteFilesFromMask(nullptr, currentPath_, options_, tools_, shell_);
}

} // namespace
