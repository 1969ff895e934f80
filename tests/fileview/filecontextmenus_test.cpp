// The file view's context menus on a real main window: a temporary folder
// is the only drive, the trash is another temporary folder, the user's
// answers are scripted and program starts are recorded.
#include "app/tfrmtamble.h"
#include "fileview/filecontextmenus.h"
#include "fileview/fileviewpage.h"
#include "platform/codepage.h"
#include "platform/programstart.h"
#include "tests/common/controlof.h"
#include "tests/common/treesnapshot.h"
#include "tests/common/windowsskip.h"
#include "tests/fileview/filemenuswindowtest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using platform::Cp932;
using tamble::FileContextMenus;
using tamble::TfrmTamble;

class FileContextMenusTest : public FileMenusWindowTest {
protected:
    void SetUp() override {
        fs::create_directories(disk_.File("work/sub/deeper"));
        for (const char* name : {"a.c", "b.c", "c.h"})
            disk_.Write("work/" + std::string(name), name);
        fs::create_directories(disk_.File("other"));
        platform::SetProgramStarter([this](const platform::ProgramStart& start) {
            started_.push_back(start.program + " | " + start.parameters.value_or("(none)"));
        });
        window_ = CreateWindowWithMenus();
        menus_ = &page_->Menus();
        window_->Options().SearchStringApp = "grepper";
        window_->Options().UseEditor = "editor";
    }
    void TearDown() override { platform::SetProgramStarter({}); }

    std::string Status() const {
        return ControlOf<QLabel>(*window_, "StatusText")->text().toStdString();
    }
    // Kind and title of every question asked, then forgets them.
    Strings Asked() {
        Strings asked;
        for (const auto& question : prompts_.asked)
            asked.push_back(question.kind + " " + platform::Cp932ToUtf8(question.title));
        prompts_.asked.clear();
        return asked;
    }
    void ShowWithFocusOn(QWidget* widget) {
        ControlOf<QTabWidget>(*window_, "PageControl")->setCurrentIndex(tamble::kFilePage);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        widget->setFocus();
    }

    Strings started_;
    FileContextMenus* menus_ = nullptr;
};

// Every entry of menu as "name caption shortcut", "-" for a separator,
// "(disabled)" appended to a disabled one.
Strings Entries(const QMenu* menu) {
    Strings entries;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries.push_back("-");
            continue;
        }
        std::string entry = action->objectName().toStdString() + " " +
                            action->text().toStdString() + " " +
                            action->shortcut().toString(QKeySequence::PortableText).toStdString();
        if (!action->isEnabled()) entry += " (disabled)";
        entries.push_back(entry);
    }
    return entries;
}

TEST_F(FileContextMenusTest, MenusHoldEveryEntryInOrder) {
    EXPECT_EQ(Entries(menus_->PopupMenu5), (Strings{
                                               "GrepG1 文字列の検索(&G) Ctrl+F",
                                               "-",
                                               "F1 ファイルの検索(&F)  (disabled)",
                                               "-",
                                               "T2 切り取り(&T) Ctrl+X",
                                               "C1 コピー(&C) Ctrl+C",
                                               "V2 貼り付け(&P) Ctrl+V",
                                               "-",
                                               "D2 ごみ箱に削除(&D) Del",
                                               "D1 削除(&E) Shift+Del",
                                               "N25 マスクを指定して削除(&M) ",
                                               "R4 名前の変更(&M) F2",
                                               "-",
                                               "E2 エクスプローラを開く(&X) ",
                                               "-",
                                               "N23 フォルダの新規作成(&W) ",
                                               "-",
                                               "R2 最新の状態に更新(&R) F5",
                                           }));
    EXPECT_EQ(Entries(menus_->PopupMenuFileList), (Strings{
                                                      "N18 指定のエディタで開く(&O) Return",
                                                      "O1 開く(&Q) Shift+Return",
                                                      "-",
                                                      "N12 文字列の検索(&F) Ctrl+F",
                                                      "-",
                                                      "T1 切り取り(&T) Ctrl+X",
                                                      "N13 コピー(&C) Ctrl+C",
                                                      "V1 貼り付け(&P) Ctrl+V",
                                                      "-",
                                                      "N26 ファイルの複製 ",
                                                      "-",
                                                      "N14 ごみ箱に削除(&D) Del",
                                                      "E1 削除(&E) Shift+Del",
                                                      "R3 名前の変更(&M) F2",
                                                      "-",
                                                      "W1 ファイルの新規作成(&W) ",
                                                      "-",
                                                      "R1 最新の状態に更新(&R) F5",
                                                      "A1 すべて選択(&A) Ctrl+A",
                                                  }));
    EXPECT_EQ(menus_->PopupMenu5->objectName(), QStringLiteral("PopupMenu5"));
    EXPECT_EQ(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->contextMenuPolicy(),
              Qt::CustomContextMenu);
    EXPECT_EQ(ControlOf<QTreeView>(*window_, "ListViewFile")->contextMenuPolicy(),
              Qt::CustomContextMenu);
    // Created once, however often the folder tree is built again.
    ControlOf<QAction>(*window_, "I1")->trigger();
    EXPECT_EQ(&page_->Menus(), menus_);
    EXPECT_EQ(window_->findChildren<FileContextMenus*>().size(), 1);
}

TEST_F(FileContextMenusTest, ShortcutsActWhereTheFocusIsAndTheStatusLineFollows) {
    GoTo("work/sub");
    ShowWithFocusOn(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"));
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_C,
                    Qt::ControlModifier);
    EXPECT_EQ(page_->State().clipboard.ClipboardFiles, Strings{disk_.File("work/sub")});
    EXPECT_EQ(Status(), " / ﾌｫﾙﾀﾞをｺﾋﾟｰ");

    GoTo("work");
    ControlOf<QTreeView>(*window_, "ListViewFile")->setFocus();
    SelectRows({0, 1, 2});
    QTest::keyClick(ControlOf<QTreeView>(*window_, "ListViewFile"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(page_->State().clipboard.ClipboardFiles,
              (Strings{disk_.File("work/a.c"), disk_.File("work/b.c"), disk_.File("work/c.h")}));
    EXPECT_EQ(page_->State().clipboard.ClipboardMode, tamble::kClipboardCut);
    SelectRows({0, 2});
    EXPECT_EQ(Status(), "2 個のﾌｧｲﾙを選択 / 3 個のﾌｧｲﾙを切り取り");

    // Enter and Shift+Enter open every selected row, one start each.
    QTest::keyClick(ControlOf<QTreeView>(*window_, "ListViewFile"), Qt::Key_Return);
    QTest::keyClick(ControlOf<QTreeView>(*window_, "ListViewFile"), Qt::Key_Enter,
                    Qt::ShiftModifier);
    EXPECT_EQ(
        started_,
        (Strings{"editor | " + disk_.File("work/a.c"), "editor | " + disk_.File("work/c.h"),
                 disk_.File("work/a.c") + " | (none)", disk_.File("work/c.h") + " | (none)"}));
    started_.clear();

    // Ctrl+F: the list's template needs a selected row; the tree's does not,
    // but it too fills $FILE from the list.
    QTest::keyClick(ControlOf<QTreeView>(*window_, "ListViewFile"), Qt::Key_F, Qt::ControlModifier);
    ControlOf<QTreeView>(*window_, "ListViewFile")->clearSelection();
    QTest::keyClick(ControlOf<QTreeView>(*window_, "ListViewFile"), Qt::Key_F, Qt::ControlModifier);
    ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->setFocus();
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_F,
                    Qt::ControlModifier);
    window_->Options().SearchStringAppCmdLineA = "$PATH $FILE";
    SelectRows({1});
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_F,
                    Qt::ControlModifier);
    menus_->E2->trigger();
    const std::string work = disk_.File("work");
    EXPECT_EQ(started_, (Strings{"grepper | -sf:" + work + " -gf:a.c", "grepper | -sf:" + work,
                                 "grepper | " + work + " b.c", "explorer | " + work}));

    // F1 never acts, not even when triggered.
    menus_->F1->trigger();
    EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(FileContextMenusTest, FolderCommandsUpdateTheTree) {
    TAMBLE_SKIP_ON_WINDOWS(
        "on Windows the shell runs the file operations, with its own questions and names for "
        "copies; the Windows shell operations have their own tests");
    QTreeWidgetItem* work = Child(Drive(), "work");
    GoTo("work/sub");
    menus_->C1->trigger();
    GoTo("other");
    menus_->V2->trigger();
    QTreeWidgetItem* other = Child(Drive(), "other");
    EXPECT_EQ(Texts(other), Strings{"sub"});
    EXPECT_TRUE(fs::is_directory(disk_.File("other/sub/deeper")));
    // Into its own parent: a renamed copy.
    GoTo("work");
    menus_->V2->trigger();
    EXPECT_EQ(Texts(work), (Strings{"sub", "sub (2)"}));

    // To the trash: gone from the tree, the parent is selected and listed.
    GoTo("other/sub");
    menus_->D2->trigger();
    EXPECT_EQ(Selected(), other);
    EXPECT_TRUE(Texts(other).empty());
    EXPECT_EQ(page_->State().CurrentPath, disk_.File("other"));
    EXPECT_TRUE(fs::exists(settings_.File("trash/files/sub/deeper")));
    // For good, after a Yes.
    GoTo("work/sub (2)");
    prompts_.yesNoAnswers = {true};
    menus_->D1->trigger();
    EXPECT_EQ(Asked(), Strings{"YesNo 確認"});
    EXPECT_EQ(Texts(work), Strings{"sub"});

    // Rename: the parent is listed afresh and the renamed folder selected.
    GoTo("work/sub/deeper");
    GoTo("work/sub");
    prompts_.inputAnswers = {std::string("renamed")};
    menus_->R4->trigger();
    EXPECT_EQ(Asked(), Strings{"Input フォルダ名の変更"});
    EXPECT_EQ(Texts(work), Strings{"renamed"});
    ASSERT_EQ(Selected(), Child(work, "renamed"));
    EXPECT_EQ(page_->State().CurrentPath, disk_.File("work/renamed"));
    EXPECT_FALSE(Selected()->isExpanded());

    // New folder: a taken name shows the box; a new one shows in the tree.
    prompts_.inputAnswers = {std::string("deeper")};
    menus_->N23->trigger();
    EXPECT_EQ(Asked(), (Strings{"Input フォルダの新規作成", "Message フォルダ作れませんよっ"}));
    prompts_.inputAnswers = {Cp932("新しい")};
    menus_->N23->trigger();
    EXPECT_EQ(Texts(Selected()), (Strings{"deeper", "新しい"}));
    EXPECT_EQ(Asked(), Strings{"Input フォルダの新規作成"});

    // Refresh lists folders made elsewhere.
    fs::create_directories(disk_.File("work/renamed/outside"));
    menus_->R2->trigger();
    EXPECT_EQ(Texts(Selected()), (Strings{"deeper", "outside", "新しい"}));
}

TEST_F(FileContextMenusTest, FolderCommandsActOnTheSelectedNodeBeforeTheListCatchesUp) {
    TAMBLE_SKIP_ON_WINDOWS(
        "on Windows the shell runs the file operations, with its own questions and names for "
        "copies; the Windows shell operations have their own tests");
    GoTo("other");
    ShowWithFocusOn(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"));
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"),
                    Qt::Key_Down); // the list follows later
    ASSERT_EQ(Selected(), Child(Drive(), "work"));
    ASSERT_EQ(page_->State().CurrentPath, disk_.File("other"));
    menus_->E2->trigger();
    EXPECT_EQ(started_, Strings{"explorer | " + disk_.File("work")});
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_Up);
    ASSERT_EQ(page_->State().CurrentPath, disk_.File("work"));
    std::string maskFolder;
    QTimer::singleShot(0, [&maskFolder] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        maskFolder = dialog->findChild<QLineEdit*>("edtFilePath")->text().toStdString();
        dialog->close();
    });
    menus_->N25->trigger();
    EXPECT_EQ(maskFolder, disk_.File("other"));
    ShowWithFocusOn(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")); // back from the dialog
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_Down);
    QTest::keyClick(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory"), Qt::Key_Delete);
    EXPECT_TRUE(fs::exists(disk_.File("other")));
    EXPECT_FALSE(fs::exists(disk_.File("work")));
    EXPECT_EQ(Texts(Drive()), Strings{"other"});
}

TEST_F(FileContextMenusTest, FileCommandsRefillTheList) {
    TAMBLE_SKIP_ON_WINDOWS(
        "on Windows the shell runs the file operations, with its own questions and names for "
        "copies; the Windows shell operations have their own tests");
    GoTo("work");
    SelectRows({0, 1});
    menus_->T1->trigger();
    // The list's paste needs a selected node, even though it pastes into the listed folder.
    ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->clearSelection();
    menus_->V1->trigger();
    EXPECT_TRUE(fs::exists(disk_.File("work/a.c")));
    GoTo("other");
    menus_->V1->trigger();
    EXPECT_EQ(Rows(), (Strings{"a.c", "b.c"}));
    EXPECT_FALSE(fs::exists(disk_.File("work/a.c")));
    EXPECT_TRUE(Asked().empty());
    GoTo("work");

    // Copy into the same folder: a duplicate under a new name.
    SelectRows({0});
    menus_->N13->trigger();
    menus_->V1->trigger();
    EXPECT_EQ(Rows(), (Strings{"c (2).h", "c.h"}));

    SelectRows({0});
    menus_->N14->trigger();
    EXPECT_EQ(Rows(), Strings{"c.h"});
    EXPECT_TRUE(fs::exists(settings_.File("trash/files/c (2).h")));

    SelectRows({0});
    prompts_.inputAnswers = {std::string("d.h")};
    menus_->R3->trigger();
    EXPECT_EQ(Rows(), Strings{"d.h"});

    prompts_.inputAnswers = {std::string("e.txt")};
    menus_->W1->trigger();
    EXPECT_EQ(Rows(), (Strings{"d.h", "e.txt"}));
    EXPECT_EQ(Asked(), (Strings{"Input ファイル名の変更", "Input ファイルの新規作成"}));

    // Without a selected row the file commands do nothing.
    prompts_.asked.clear();
    ControlOf<QTreeView>(*window_, "ListViewFile")->clearSelection();
    for (QAction* action : {menus_->T1, menus_->N14, menus_->E1, menus_->R3, menus_->N26})
        action->trigger();
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_EQ(page_->State().clipboard.ClipboardFiles, Strings{disk_.File("work/c.h")});
}

// The listed folder, or the folder above it, moved away and replaced by a
// link to a decoy of the same names: before the command, or while its
// question is open. The command refuses with a box naming the folder and
// the list shows what the path names now; neither folder changes.
TEST_F(FileContextMenusTest, CommandsRefuseAFolderThatIsNoLongerTheListedOne) {
    TAMBLE_SKIP_ON_WINDOWS("it swaps folders for symbolic links, which Wine cannot make; the held "
                           "folder's Windows tests rename a folder away instead");
    fs::create_directories(disk_.File("attic"));
    for (const char* name : {"decoy/work/a.c", "decoy/work/b.c", "decoy/work/c.h",
                             "decoy/work/keep", "decoy/work/sub/deeper/d.txt"}) {
        fs::create_directories(fs::path(disk_.File(name)).parent_path());
        disk_.Write(name, std::string("decoy ") + name);
    }
    const auto decoy = TreeSnapshot(disk_.File("decoy"));
    const auto work = TreeSnapshot(disk_.File("work"));
    const auto swapForLink = [this](const char* folder, const char* to) {
        fs::rename(disk_.File(folder), disk_.File("attic/swapped"));
        fs::create_directory_symlink(disk_.File(to), disk_.File(folder));
    };
    const auto swapBack = [this](const char* folder) {
        fs::remove(disk_.File(folder));
        fs::rename(disk_.File("attic/swapped"), disk_.File(folder));
    };
    const std::string refusal = platform::FolderChangedText(disk_.File("work"));

    // Swapped between the listing and the trash.
    GoTo("work");
    SelectRows({0});
    swapForLink("work", "decoy/work");
    menus_->N14->trigger();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, refusal);
    EXPECT_EQ(Rows(), (Strings{"a.c", "b.c", "c.h", "keep"}));
    swapBack("work");
    prompts_.asked.clear();

    // Swapped while the question to delete for good is open.
    GoTo("work");
    SelectRows({0, 1});
    prompts_.yesNoAnswers = {true};
    prompts_.whileAsking = [&] { swapForLink("work", "decoy/work"); };
    menus_->E1->trigger();
    EXPECT_EQ(Asked(), (Strings{"YesNo 確認", "Message エラー"}));
    EXPECT_EQ(Rows(), (Strings{"a.c", "b.c", "c.h", "keep"}));
    swapBack("work");

    // The folder above swapped while the question to delete the listed
    // folder itself is open.
    GoTo("work/sub");
    prompts_.yesNoAnswers = {true};
    prompts_.whileAsking = [&] { swapForLink("work", "decoy/work"); };
    menus_->D1->trigger();
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_EQ(prompts_.asked[1].text, refusal);
    swapBack("work");

    EXPECT_EQ(TreeSnapshot(disk_.File("decoy")), decoy);
    EXPECT_EQ(TreeSnapshot(disk_.File("work")), work);
}

TEST_F(FileContextMenusTest, ToolEntriesOpenTheBatchTools) {
    GoTo("work");
    SelectRows({2, 1});
    Strings opened;
    const auto closeNextDialog = [&opened] {
        QTimer::singleShot(0, [&opened] {
            QWidget* modal = QApplication::activeModalWidget();
            opened.push_back(modal != nullptr ? modal->objectName().toStdString() : "none");
            if (modal != nullptr) modal->close();
        });
    };
    closeNextDialog();
    menus_->N26->trigger();
    EXPECT_EQ(window_->Tools().DuplicateFilePath, disk_.File("work/b.c")); // the top one
    disk_.Write("work/new.c", "");
    closeNextDialog();
    menus_->N25->trigger();
    EXPECT_EQ(opened, (Strings{"frmCopyFiles", "frmDeleteFilesFromMask"}));
    EXPECT_EQ(Rows().size(), 4u); // refilled after the delete-by-mask dialog
}

} // namespace
