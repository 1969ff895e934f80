// The file page on a real main window: a temporary folder stands in as the
// only drive, settings live in another one, opening a file is recorded.
#include "app/tfrmtamble.h"
#include "fileview/filecontextmenus.h"
#include "fileview/fileviewpage.h"
#include "tests/common/controlof.h"
#include "tests/common/viewrows.h"
#include "tests/common/windowsskip.h"
#include "tests/fileview/fileviewwindowtest.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using tamble::TfrmTamble;

class FileViewPageTest : public FileViewWindowTest {
protected:
    void SetUp() override {
        fs::create_directories(disk_.File("work/sub/deeper"));
        for (const char* name : {"a.c", "b.c", "ab.h", "cd.txt", "x.exe", "y.exe", "Makefile"})
            disk_.Write("work/" + std::string(name), "data");
        fs::create_directories(disk_.File("work/empty"));
        fs::create_directories(disk_.File("other"));
        window_ = Create();
    }

    std::unique_ptr<TfrmTamble> Create() {
        tamble::FileViewServices services = TestDrive();
        services.openFile = [this](const tamble::AppOptions&, const std::string& path,
                                   bool byShell) {
            opened_.push_back((byShell ? "shell " : "editor ") + path);
        };
        return CreateWindow(std::move(services));
    }

    // Shows the window on the file page, tall enough for empty tree space.
    void ShowFilePage() {
        ControlOf<QTabWidget>(*window_, "PageControl")->setCurrentIndex(tamble::kFilePage);
        window_->resize(300, 900);
        window_->show();
        QApplication::processEvents();
    }
    static void PressEnter(QComboBox* combo, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(combo, Qt::Key_Return, modifiers);
    }

    Strings opened_;
};

TEST_F(FileViewPageTest, TreeListsFoldersLazilyBehindThePlaceholder) {
    ASSERT_EQ(ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->topLevelItemCount(), 1);
    EXPECT_EQ(Drive()->text(0).toStdString(), disk_.Path() + " test");
    EXPECT_EQ(Texts(Drive()), (Strings{"other", "work"}));
    QTreeWidgetItem* work = Child(Drive(), "work");
    EXPECT_EQ(Texts(work), (Strings{"まだ開いてないっすよー"}));
    EXPECT_EQ(Child(Drive(), "other")->childCount(), 0); // no expand button

    work->setExpanded(true);
    EXPECT_EQ(Texts(work), (Strings{"empty", "sub"}));
    EXPECT_EQ(Selected(), work);
    EXPECT_EQ(page_->ListedNode(), work);
    EXPECT_EQ(Rows(), (Strings{"a.c", "ab.h", "b.c", "cd.txt", "Makefile", "x.exe", "y.exe"}));
    EXPECT_EQ(ViewText(*ControlOf<QTreeView>(*window_, "ListViewFile"), 0, 1), QStringLiteral("4"));
    EXPECT_EQ(page_->State().CurrentPath, disk_.File("work"));

    // Opened once: a new folder shows only after a refresh of the node.
    fs::create_directories(disk_.File("work/new"));
    work->setExpanded(false);
    work->setExpanded(true);
    EXPECT_EQ(Texts(work), (Strings{"empty", "sub"}));
    page_->OpenFolderNode(work);
    EXPECT_EQ(Texts(work), (Strings{"empty", "new", "sub"}));
}

TEST_F(FileViewPageTest, AFolderOfManyFilesOffersToExpandUntilItHasBeenLookedThrough) {
    // More entries than the tree looks at before it is shown.
    for (const char* folder : {"work/flat", "work/deep"}) {
        fs::create_directories(disk_.File(folder));
        for (int i = 0; i < 600; ++i)
            disk_.Write(std::string(folder) + "/f" + std::to_string(i), "");
    }
    fs::create_directories(disk_.File("work/deep/zz"));
    GoTo("work");
    QTreeWidgetItem* work = Selected();
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(Child(work, "flat")->childCount(), 1); // until the look reports back
    QTRY_COMPARE(Child(work, "flat")->childCount(), 0);
    EXPECT_EQ(Texts(Child(work, "deep")), (Strings{"まだ開いてないっすよー"}));
    Child(work, "deep")->setExpanded(true);
    EXPECT_EQ(Texts(Child(work, "deep")), (Strings{"zz"}));
}

TEST_F(FileViewPageTest, NavigateToPathMatchesLooselyAndRecordsTheTreeForm) {
    TAMBLE_SKIP_ON_WINDOWS("its table expects POSIX paths, where letter case tells names apart");
    const struct {
        std::string path;
        const char* selected;
    } cases[] = {
        {disk_.File("WORK//sub/"), "sub"},
        {disk_.File("work/gone/deeper"), "work"},
        {disk_.Path() + "/", nullptr},
    };
    for (const auto& c : cases) {
        page_->NavigateToPath(c.path);
        ASSERT_NE(Selected(), nullptr) << c.path;
        EXPECT_EQ(Selected(),
                  c.selected
                      ? Child(Selected()->parent() ? Selected()->parent() : Drive(), c.selected)
                      : Drive())
            << c.path;
    }
    page_->NavigateToPath(disk_.File("WORK//sub/"));
    const std::string expected = disk_.File("work/sub");
    EXPECT_EQ(platform::ToCp932(ControlOf<QComboBox>(*window_, "cmbPathAddress")->currentText()),
              expected);
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbPathAddress")->itemText(0).toStdString(),
              expected);
    EXPECT_EQ(page_->State().CurrentPath, expected);
}

TEST_F(FileViewPageTest, EnterInTheAddressBoxGoesOnlyToExistingFolders) {
    GoTo("work");
    ControlOf<QComboBox>(*window_, "cmbPathAddress")
        ->setEditText(QString::fromStdString(disk_.File("missing")));
    PressEnter(ControlOf<QComboBox>(*window_, "cmbPathAddress"));
    EXPECT_EQ(Selected()->text(0), QStringLiteral("work"));
    ControlOf<QComboBox>(*window_, "cmbPathAddress")
        ->setEditText(QString::fromStdString(disk_.File("other")));
    PressEnter(ControlOf<QComboBox>(*window_, "cmbPathAddress"));
    EXPECT_EQ(Selected()->text(0), QStringLiteral("other"));
    EXPECT_TRUE(Rows().empty());
}

TEST_F(FileViewPageTest, FilterEnterAndNarrowing) {
    GoTo("work");
    QComboBox* filter = ControlOf<QComboBox>(*window_, "cmbFilter");
    filter->setEditText(QStringLiteral("*.c;*.h"));
    PressEnter(filter, Qt::AltModifier);
    EXPECT_EQ(Rows().size(), 7u); // Alt+Enter does nothing
    PressEnter(filter);
    EXPECT_EQ(Rows(), (Strings{"a.c", "ab.h", "b.c"}));
    EXPECT_EQ(filter->itemText(0), QStringLiteral("*.c;*.h"));
    const int entries = filter->count();
    filter->setEditText(QString());
    PressEnter(filter);
    EXPECT_EQ(filter->count(), entries);
    EXPECT_EQ(Rows().size(), 3u);

    // Choosing an entry moves it to the top and lists with it.
    const int star = filter->findText(QStringLiteral("*.*"));
    ASSERT_GT(star, 0);
    filter->setCurrentIndex(star);
    emit filter->activated(star);
    EXPECT_EQ(filter->itemText(0), QStringLiteral("*.*"));
    EXPECT_EQ(filter->count(), entries);
    ControlOf<QLineEdit>(*window_, "edtNarrow")->setText(QStringLiteral("AB;cd"));
    EXPECT_EQ(Rows(), (Strings{"ab.h", "cd.txt"}));
    ControlOf<QLineEdit>(*window_, "edtNarrow")->setText(QStringLiteral(";x"));
    EXPECT_EQ(Rows().size(), 7u);

    // A change of folder empties the narrowing unless "keep" is checked.
    ControlOf<QLineEdit>(*window_, "edtNarrow")->setText(QStringLiteral("a"));
    GoTo("work/sub");
    EXPECT_TRUE(ControlOf<QLineEdit>(*window_, "edtNarrow")->text().isEmpty());
    ControlOf<QCheckBox>(*window_, "chkNarrowKeep")->setChecked(true);
    ControlOf<QLineEdit>(*window_, "edtNarrow")->setText(QStringLiteral("a"));
    GoTo("work");
    EXPECT_EQ(ControlOf<QLineEdit>(*window_, "edtNarrow")->text(), QStringLiteral("a"));
    EXPECT_EQ(Rows(), (Strings{"a.c", "ab.h"}));
}

TEST_F(FileViewPageTest, NarrowingReadsTheFolderAgainOnlyOnceItHasChanged) {
    GoTo("work");
    auto* narrow = ControlOf<QLineEdit>(*window_, "edtNarrow");
    const auto sizeOf = [this](const std::string& name) {
        const Strings rows = Rows();
        const auto at = std::find(rows.begin(), rows.end(), name);
        return at == rows.end() ? std::string("(none)")
                                : ViewText(*ControlOf<QTreeView>(*window_, "ListViewFile"),
                                           static_cast<int>(at - rows.begin()), 1)
                                      .toStdString();
    };
    const std::string before = sizeOf("a.c");
    // A file written in place changes no folder: narrowing filters what was
    // listed; F5 reads the folder.
    disk_.Write("work/a.c", std::string(1234, 'x'));
    narrow->setText(QStringLiteral("a"));
    EXPECT_EQ(Rows(), (Strings{"a.c", "ab.h"}));
    EXPECT_EQ(sizeOf("a.c"), before);
    page_->R1->trigger();
    EXPECT_EQ(sizeOf("a.c"), "1,234");
    // A file added, or one taken away, is seen by the next key.
    disk_.Write("work/abc.c", "");
    narrow->setText(QStringLiteral("ab"));
    EXPECT_EQ(Rows(), (Strings{"ab.h", "abc.c"}));
    std::filesystem::remove(disk_.File("work/ab.h"));
    narrow->setText(QStringLiteral("a"));
    EXPECT_EQ(Rows(), (Strings{"a.c", "abc.c"}));
    narrow->clear();
    EXPECT_EQ(Rows().size(), 7u);
    // A selection is counted for the rows shown after the narrowing.
    SelectRows({0, 1});
    narrow->setText(QStringLiteral("b"));
    EXPECT_EQ(page_->State().SelectStatusText, "");
    EXPECT_TRUE(page_->SelectedFileNames().empty());
}

TEST_F(FileViewPageTest, TypedTextIsTakenAsTypedNotCompletedFromTheHistory) {
    // Keys go to the combo box, as a user's do; a completion from the
    // history would turn "*.c" into "*.c;*.cpp;..." and a folder into its
    // subfolder last visited.
    ShowFilePage();
    GoTo("work/sub");
    GoTo("work");
    struct {
        QComboBox* combo;
        QString typed;
    } cases[] = {
        {ControlOf<QComboBox>(*window_, "cmbFilter"), QStringLiteral("*.c")},
        {ControlOf<QComboBox>(*window_, "cmbPathAddress"),
         QString::fromStdString(disk_.File("work/s"))},
    };
    for (const auto& c : cases) {
        c.combo->setFocus();
        c.combo->clearEditText();
        QTest::keyClicks(c.combo, c.typed);
        EXPECT_EQ(c.combo->currentText(), c.typed);
    }
    ControlOf<QComboBox>(*window_, "cmbFilter")->setFocus();
    PressEnter(ControlOf<QComboBox>(*window_, "cmbFilter"));
    EXPECT_EQ(Rows(), (Strings{"a.c", "b.c"}));
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->itemText(0), QStringLiteral("*.c"));

    // "work/sub" is now the newer entry that a completion would pick.
    GoTo("work/sub");
    GoTo("other");
    QComboBox* address = ControlOf<QComboBox>(*window_, "cmbPathAddress");
    address->setFocus();
    address->clearEditText();
    QTest::keyClicks(address, QString::fromStdString(disk_.File("work")));
    PressEnter(address);
    EXPECT_EQ(Selected()->text(0), QStringLiteral("work"));
}

TEST_F(FileViewPageTest, KeysRefillTheListFiveTicksAfterTheLastOne) {
    GoTo("work");
    QTreeWidgetItem* work = Selected();
    QTreeWidget* tree = ControlOf<QTreeWidget>(*window_, "TreeViewDirectory");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Up); // moves to the drive
    EXPECT_TRUE(page_->TimerFileListUpdate->isActive());
    EXPECT_EQ(page_->TimerFileListUpdate->interval(), 100);
    ASSERT_NE(Selected(), work);
    for (int tick = 0; tick < 4; ++tick)
        page_->TimerFileListUpdateTimer();
    EXPECT_EQ(page_->ListedNode(), work);
    QTest::keyClick(tree, Qt::Key_Shift); // any key starts the count again
    for (int tick = 0; tick < 4; ++tick)
        page_->TimerFileListUpdateTimer();
    EXPECT_EQ(page_->ListedNode(), work);
    page_->TimerFileListUpdateTimer();
    EXPECT_EQ(page_->ListedNode(), Selected());
    EXPECT_FALSE(page_->TimerFileListUpdate->isActive());
    EXPECT_EQ(Rows(), Strings{});
}

TEST_F(FileViewPageTest, DoubleClickOpensTheFirstSelectedRowOrGoesUp) {
    GoTo("work");
    QTreeView* list = ControlOf<QTreeView>(*window_, "ListViewFile");
    SelectRows({2, 3}); // b.c first
    page_->ListViewFileDblClick(Qt::NoModifier);
    page_->ListViewFileDblClick(Qt::ShiftModifier);
    EXPECT_EQ(opened_,
              (Strings{"editor " + disk_.File("work/b.c"), "shell " + disk_.File("work/b.c")}));

    list->clearSelection();
    page_->ListViewFileDblClick(Qt::NoModifier);
    EXPECT_EQ(Selected()->text(0), QStringLiteral("work")); // DblClickUpFolder is off
    window_->Options().DblClickUpFolder = true;
    page_->ListViewFileDblClick(Qt::NoModifier);
    EXPECT_EQ(Selected(), Drive());
    page_->ListViewFileDblClick(Qt::NoModifier); // the drive stays

    // The real mouse, on a row.
    GoTo("work");
    opened_.clear();
    ShowFilePage();
    const QRect row = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QApplication::processEvents();
    EXPECT_EQ(opened_, (Strings{"editor " + disk_.File("work/a.c")}));
}

TEST_F(FileViewPageTest, StatusLineCountsSelectedRows) {
    GoTo("work");
    SelectRows({0});
    page_->Menus().N13->trigger(); // one file copied
    page_->A1->trigger();
    const QLabel* status = ControlOf<QLabel>(*window_, "StatusText");
    EXPECT_EQ(status->text(), QStringLiteral("7 個のﾌｧｲﾙを選択 / 1 個のﾌｧｲﾙをｺﾋﾟｰ"));
    SelectRows({0, 1, 2});
    EXPECT_EQ(status->text(), QStringLiteral("3 個のﾌｧｲﾙを選択 / 1 個のﾌｧｲﾙをｺﾋﾟｰ"));
    ControlOf<QTreeView>(*window_, "ListViewFile")->clearSelection();
    EXPECT_EQ(status->text(), QStringLiteral(" / 1 個のﾌｧｲﾙをｺﾋﾟｰ"));
}

TEST_F(FileViewPageTest, CellByCellSelectionNeverSelectsASizeAlone) {
    GoTo("work");
    QTreeView* list = ControlOf<QTreeView>(*window_, "ListViewFile");
    ShowFilePage();
    ControlOf<QAction>(*window_, "mnuRowSelectMode")->trigger(); // cells one by one
    const QPoint size = list->visualRect(list->model()->index(1, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, size);
    EXPECT_TRUE(list->selectionModel()->selectedIndexes().isEmpty());
    const QPoint name = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, size);
    const QModelIndexList cells = list->selectionModel()->selectedIndexes();
    ASSERT_EQ(cells.size(), 1);
    EXPECT_EQ(cells[0].column(), 0);
    EXPECT_EQ(ControlOf<QLabel>(*window_, "StatusText")->text().left(1), QStringLiteral("1"));
    // Back to whole rows, then cells again: the sizes leave the selection.
    ControlOf<QAction>(*window_, "mnuRowSelectMode")->trigger();
    page_->A1->trigger();
    ControlOf<QAction>(*window_, "mnuRowSelectMode")->trigger();
    for (const QModelIndex& cell : list->selectionModel()->selectedIndexes())
        EXPECT_EQ(cell.column(), 0);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 0); // no row is whole
    EXPECT_EQ(page_->SelectedFileNames().size(), 7u);
}

TEST_F(FileViewPageTest, RefreshIconCacheAndRightClickOnEmptySpace) {
    GoTo("work");
    const auto& cache = page_->State().IconCashList;
    // The extensions join the cache in the order the folder gives its files.
    const auto cached = [&cache] {
        Strings sorted = cache;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    };
    EXPECT_EQ(cached(), (Strings{"", ".c", ".h", ".txt"})); // .exe rows get an icon each
    disk_.Write("work/new.md", "");
    page_->R1->trigger();
    EXPECT_EQ(Rows().size(), 8u);
    EXPECT_EQ(cache.back(), ".md");
    ControlOf<QAction>(*window_, "C2")->trigger();
    EXPECT_EQ(cached(), (Strings{"", ".c", ".h", ".md", ".txt"}));

    ShowFilePage();
    QTreeWidget* tree = ControlOf<QTreeWidget>(*window_, "TreeViewDirectory");
    const QPoint below(5, tree->viewport()->height() - 2);
    ASSERT_EQ(tree->itemAt(below), nullptr);
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, below);
    QApplication::processEvents();
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_EQ(page_->ListedNode()->text(0), QStringLiteral("work"));
    EXPECT_EQ(Rows().size(), 8u);
}

// Wine makes no folder links, and Windows has no inotify to watch opens.
#ifndef _WIN32
TEST_F(FileViewPageTest, ALinkBackUpIsAFolderThatOpensOneLevelAtATime) {
    fs::create_directory_symlink(disk_.File("work"), disk_.File("work/sub/back"));
    GoTo("work/sub/back/sub/back");
    EXPECT_EQ(platform::ToCp932(ControlOf<QComboBox>(*window_, "cmbPathAddress")->currentText()),
              disk_.File("work/sub/back/sub/back"));
    EXPECT_EQ(Texts(Selected()), (Strings{"empty", "sub"}));
}

TEST_F(FileViewPageTest, ListingNeverOpensAListedFile) {
    GoTo("work"); // the tree looks into the subfolders, which is not the list's doing
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, disk_.File("work").c_str(), IN_OPEN | IN_ACCESS), 0);
    ControlOf<QAction>(*window_, "C2")->trigger(); // every icon looked up afresh
    ASSERT_EQ(Rows().size(), 7u);
    Strings touched;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t length; (length = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0) touched.emplace_back(event->name); // the folder itself has none
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    EXPECT_EQ(touched, Strings{});
}
#endif

TEST_F(FileViewPageTest, HistoriesAndTheLastFolderSurviveARestart) {
    TAMBLE_SKIP_ON_WINDOWS(
        "it removes a folder the page shows, which Windows refuses while the page holds it open");
    window_->Options().StartFolderIsBefore = true;
    GoTo("work/sub");
    ControlOf<QComboBox>(*window_, "cmbFilter")->setEditText(QStringLiteral("*.h"));
    QTest::keyClick(ControlOf<QComboBox>(*window_, "cmbFilter"), Qt::Key_Return);
    window_->close();
    window_ = Create();
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbPathAddress")->itemText(0).toStdString(),
              disk_.File("work/sub"));
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->currentText(), QStringLiteral("*.h"));
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(Selected()->text(0), QStringLiteral("sub"));
    EXPECT_EQ(Rows(), Strings{});

    // A last folder that is gone: the start is the current folder instead.
    GoTo("work/empty");
    window_->close();
    fs::remove(disk_.File("work/empty"));
    const fs::path before = fs::current_path();
    fs::current_path(disk_.File("other"));
    window_ = Create();
    fs::current_path(before);
    EXPECT_EQ(page_->State().CurrentPath, disk_.File("other"));
}

} // namespace
