// The project page in the real main window: commands with scripted boxes,
// tree events, dropped files, and the model and display trees in step.
#include "tests/app/guitest.h"
#include "tests/common/controlof.h"

#include "core/errortext.h"
#include "platform/codepage.h"
#include "platform/programstart.h"
#include "project/projectnames.h"
#include "project/projectpage.h"
#include "tests/common/windowsskip.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <random>

namespace {

using platform::Cp932;
using platform::ProgramStart;
using tamble::ProjectPage;
using tamble::TfrmTamble;

class ProjectPageTest : public MainWindowTest {
protected:
    void SetUp() override {
        platform::SetProgramStarter([this](const ProgramStart& start) { starts.push_back(start); });
    }
    void TearDown() override { platform::SetProgramStarter({}); }

    std::unique_ptr<TfrmTamble> Shown() {
        auto window = Create();
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    void NewProject(TfrmTamble& window, const std::string& name) {
        prompts_.inputAnswers.push_back(name);
        ControlOf<QAction>(window, "mnuNewProject")->trigger();
    }

    // Selects the project at position and adds files through its menu entry.
    void AddFiles(TfrmTamble& window, int project, std::vector<std::string> files) {
        ControlOf<QTreeWidget>(window, "TreeView1")
            ->setCurrentItem(
                ControlOf<tamble::ProjectPage>(window, "tabProjectView")->ItemAt(project));
        prompts_.filesAnswers.push_back(std::move(files));
        ControlOf<tamble::ProjectPage>(window, "tabProjectView")->popAddFile->trigger();
    }

    void Save(TfrmTamble& window, const std::string& path) {
        prompts_.fileAnswers.push_back(path);
        ControlOf<QAction>(window, "mnuSaveProject")->trigger();
    }

    void Open(TfrmTamble& window, const std::string& path) {
        prompts_.fileAnswers.push_back(path);
        ControlOf<QAction>(window, "mnuOpenProject")->trigger();
    }

    // Opens the branches above item and scrolls it into view.
    static void Reveal(TfrmTamble& window, QTreeWidgetItem* item) {
        for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent())
            up->setExpanded(true);
        ControlOf<QTreeWidget>(window, "TreeView1")->scrollToItem(item);
        QCoreApplication::processEvents();
    }

    // Drops files from the file manager at the centre of a display node.
    static void DropOn(TfrmTamble& window, QTreeWidgetItem* item,
                       const std::vector<std::string>& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& file : files)
            urls.push_back(QUrl::fromLocalFile(QString::fromStdString(file)));
        data.setUrls(urls);
        if (item != nullptr) Reveal(window, item);
        const QPoint at =
            ControlOf<QTreeWidget>(window, "TreeView1")
                ->viewport()
                ->mapTo(
                    &window,
                    item != nullptr
                        ? ControlOf<QTreeWidget>(window, "TreeView1")->visualItemRect(item).center()
                        : QPoint());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    }

    // The display texts in depth-first order, UTF-8.
    static std::vector<std::string> Texts(const TfrmTamble& window) {
        std::vector<std::string> texts;
        for (QTreeWidgetItemIterator it(ControlOf<QTreeWidget>(window, "TreeView1"));
             *it != nullptr; ++it)
            texts.push_back((*it)->text(0).toStdString());
        return texts;
    }

    static int Level(const QTreeWidgetItem* item) {
        int level = 0;
        for (item = item->parent(); item != nullptr; item = item->parent())
            ++level;
        return level;
    }

    // Both trees have the same shape node for node, and each display text
    // is the model text or its file name.
    static void ExpectInStep(const TfrmTamble& window) {
        const tamble::ProjectTree& model =
            ControlOf<tamble::ProjectPage>(window, "tabProjectView")->TreeView2;
        int position = 0;
        for (QTreeWidgetItemIterator it(ControlOf<QTreeWidget>(window, "TreeView1"));
             *it != nullptr; ++it, ++position) {
            ASSERT_LT(position, model.Count());
            const auto& node = model.At(position);
            ASSERT_EQ(Level(*it), node.level) << position;
            const std::string shown = platform::ToCp932((*it)->text(0));
            ASSERT_TRUE(shown == node.text || shown == tamble::FileNameOf(node.text)) << position;
        }
        ASSERT_EQ(position, model.Count());
    }

    static std::pair<int, int> Images(const QTreeWidgetItem* item) {
        return {item->data(0, tamble::kImageIndexRole).toInt(),
                item->data(0, tamble::kSelectedIndexRole).toInt()};
    }

    std::vector<ProgramStart> starts;
};

TEST_F(ProjectPageTest, NewProjectFromEveryTrigger) {
    auto window = Shown();
    const std::vector<std::function<void()>> triggers = {
        [&] { ControlOf<QAction>(*window, "mnuNewProject")->trigger(); },
        [&] { ControlOf<QToolButton>(*window, "btnNewProject")->click(); },
        [&] { ControlOf<QAction>(*window, "N9")->trigger(); },
    };
    for (const auto& trigger : triggers) {
        prompts_.inputAnswers.push_back("P");
        trigger();
    }
    prompts_.inputAnswers.push_back("");
    ControlOf<QAction>(*window, "mnuNewProject")->trigger(); // an empty name is taken as it is
    ControlOf<QAction>(*window, "mnuNewProject")->trigger(); // cancelled
    ASSERT_EQ(prompts_.asked.size(), 5u);
    EXPECT_EQ(prompts_.asked[0].kind, "Input");
    EXPECT_EQ(prompts_.asked[0].title, Cp932("プロジェクトの新規作成"));
    EXPECT_EQ(prompts_.asked[0].text, Cp932("プロジェクト名を入力してください"));
    EXPECT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItemCount(), 4);
    const std::vector<std::string> texts = Texts(*window);
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 12, texts.end()),
              (std::vector<std::string>{"", "Source Files", "Header Files", "Other Files"}));
    EXPECT_EQ(Images(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(0)),
              std::make_pair(0, 0));
    EXPECT_EQ(Images(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(0)->child(2)),
              std::make_pair(2, 2));
    ExpectInStep(*window);
}

TEST_F(ProjectPageTest, OpenAndSaveBoxesFromEveryTrigger) {
    auto window = Shown();
    const struct {
        QAction* action;
        const char* title;
    } cases[] = {
        {ControlOf<QAction>(*window, "mnuOpenProject"), "プロジェクトファイルを読み込む"},
        {ControlOf<QAction>(*window, "N7"), "プロジェクトファイルを読み込む"},
        {ControlOf<QAction>(*window, "mnuSaveProject"), "プロジェクトファイルの保存"},
        {ControlOf<QAction>(*window, "N4"), "プロジェクトファイルの保存"},
    };
    for (const auto& c : cases) {
        prompts_.asked.clear();
        c.action->trigger(); // cancelled: nothing else happens
        ASSERT_EQ(prompts_.asked.size(), 1u) << c.title;
        const platform::FileBoxOptions& box = prompts_.asked[0].fileBox;
        EXPECT_EQ(box.title, Cp932(c.title));
        EXPECT_EQ(box.defaultExtension, "prj");
        ASSERT_EQ(box.filters.size(), 1u);
        EXPECT_EQ(box.filters[0].description, Cp932("プロジェクトファイル (*.prj)"));
        EXPECT_EQ(box.filters[0].pattern, "*.prj");
    }
    // The toolbar buttons are the File menu's entries.
    EXPECT_EQ(ControlOf<QToolButton>(*window, "btnOpenProject")->defaultAction(),
              ControlOf<QAction>(*window, "mnuOpenProject"));
    EXPECT_EQ(ControlOf<QToolButton>(*window, "btnSaveProject")->defaultAction(),
              ControlOf<QAction>(*window, "mnuSaveProject"));
}

// Two projects, files added by the box and by dropping, saved, the program
// started again, the file opened: the same trees in both name modes, and a
// double-click opens the file in the editor.
TEST_F(ProjectPageTest, ProjectsSurviveSaveRestartAndOpen) {
    TAMBLE_SKIP_ON_WINDOWS("its files are POSIX paths, which dropped files on Windows never are");
    const std::string path = folder_.File("two.prj");
    std::vector<std::string> shortTexts, longTexts;
    {
        auto window = Shown();
        NewProject(*window, "Alpha");
        NewProject(*window, "Beta");
        AddFiles(*window, 0, {"/src/a.cpp", "/src/My Dir/b.h", "/src/c.txt", "/src/d.c"});
        const auto& box = prompts_.asked.back();
        EXPECT_EQ(box.kind, "OpenFiles");
        EXPECT_EQ(box.title, "");
        ASSERT_EQ(box.fileBox.filters.size(), 3u);
        EXPECT_EQ(box.fileBox.filters[2].description,
                  Cp932("C/C++ファイル (*.c;*.cpp;*.cxx;*.h;*.rc)"));
        EXPECT_EQ(box.fileBox.filters[2].pattern, "*.c;*.cpp;*.cxx;*.h;*.rc");

        // Dropped on a category node of the second project: all go there.
        QTreeWidgetItem* betaHeaders =
            ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(1)->child(1);
        DropOn(*window, betaHeaders, {"/drop/x.h", "/drop/表 y.rc", "/drop/z.C"});
        ExpectInStep(*window);
        EXPECT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")
                      ->topLevelItem(1)
                      ->child(2)
                      ->child(0)
                      ->text(0),
                  QStringLiteral("表 y.rc"));

        Save(*window, path);
        ControlOf<QCheckBox>(*window, "chkShortLongName")->click();
        longTexts = Texts(*window);
        ControlOf<QCheckBox>(*window, "chkShortLongName")->click();
        shortTexts = Texts(*window);
        window->close();
    }
    EXPECT_EQ(folder_.Read("two.prj"),
              "Alpha\r\n\tSource Files\r\n\t\t/src/a.cpp\r\n\t\t/src/d.c\r\n\tHeader Files\r\n"
              "\t\t/src/My Dir/b.h\r\n\tOther Files\r\n\t\t/src/c.txt\r\nBeta\r\n"
              "\tSource Files\r\n\t\t/drop/z.C\r\n\tHeader Files\r\n\t\t/drop/x.h\r\n"
              "\tOther Files\r\n\t\t/drop/" +
                  Cp932("表 y.rc") + "\r\n");
    EXPECT_EQ(longTexts[2], "/src/a.cpp");
    EXPECT_EQ(shortTexts[2], "a.cpp");

    auto window = Shown();
    Open(*window, path);
    EXPECT_EQ(Texts(*window), shortTexts);
    ControlOf<QCheckBox>(*window, "chkShortLongName")->click();
    EXPECT_EQ(Texts(*window), longTexts);
    ExpectInStep(*window);
    EXPECT_EQ(Images(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->ItemAt(5)),
              std::make_pair(1, 1));

    QTreeWidgetItem* file =
        ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->ItemAt(5); // "/src/My Dir/b.h"
    Reveal(*window, file);
    const QPoint at = ControlOf<QTreeWidget>(*window, "TreeView1")->visualItemRect(file).center();
    QTest::mouseClick(ControlOf<QTreeWidget>(*window, "TreeView1")->viewport(), Qt::LeftButton, {},
                      at);
    QTest::mouseDClick(ControlOf<QTreeWidget>(*window, "TreeView1")->viewport(), Qt::LeftButton, {},
                       at);
    EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->Selected(), file);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], (ProgramStart{tamble::kDefaultEditor, "/src/My Dir/b.h", true,
                                       platform::ShowCommand::Normal}));
    // A double-click on the tree's empty space opens the selected file too.
    const QPoint below(at.x(),
                       ControlOf<QTreeWidget>(*window, "TreeView1")->viewport()->height() - 2);
    ASSERT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")->itemAt(below), nullptr);
    QTest::mouseDClick(ControlOf<QTreeWidget>(*window, "TreeView1")->viewport(), Qt::LeftButton, {},
                       below);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1], starts[0]);
    starts.clear();

    // With "すべて指定のエディタで開く" off the file opens with its application.
    ControlOf<QAction>(*window, "mnuAllOpenEditor")->trigger();
    QTest::keyClick(ControlOf<QTreeWidget>(*window, "TreeView1"), Qt::Key_Return);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], (ProgramStart{"/src/My Dir/b.h", std::nullopt, false,
                                       platform::ShowCommand::Normal}));
    window->close();
}

TEST_F(ProjectPageTest, RightButtonSelectsOnlyWhenSomethingIsSelected) {
    auto window = Shown();
    NewProject(*window, "A");
    AddFiles(*window, 0, {"/s/a.c"});
    ProjectPage& page = *ControlOf<tamble::ProjectPage>(*window, "tabProjectView");
    QWidget* viewport = ControlOf<QTreeWidget>(*window, "TreeView1")->viewport();
    page.ItemAt(0)->setExpanded(true);
    const auto centre = [&](int position) {
        return ControlOf<QTreeWidget>(*window, "TreeView1")
            ->visualItemRect(page.ItemAt(position))
            .center();
    };

    ControlOf<QTreeWidget>(*window, "TreeView1")->clearSelection();
    QTest::mouseClick(viewport, Qt::RightButton, {}, centre(0));
    EXPECT_EQ(page.Selected(), nullptr);

    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(2));
    QTest::mouseClick(viewport, Qt::RightButton, {}, centre(0));
    EXPECT_EQ(page.Selected(), page.ItemAt(0));

    // Empty space below the nodes clears the selection; the menu then acts on nothing.
    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(2));
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(5, viewport->height() - 3));
    EXPECT_EQ(page.Selected(), nullptr);
    page.PopupMenu1Popup();
    page.popDelete->trigger();
    prompts_.asked.clear();
    page.popAddFile->trigger();
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_EQ(page.TreeView2.Count(), 5);
}

// The context menu's entries, and Enter, which opens files only and once.
TEST_F(ProjectPageTest, MenuAndEnterByLevel) {
    auto window = Shown();
    NewProject(*window, "A");
    AddFiles(*window, 0, {"/s/a.c"});
    ProjectPage& page = *ControlOf<tamble::ProjectPage>(*window, "tabProjectView");
    const struct {
        int position;
        bool add, remove;
        size_t starts;
    } cases[] = {
        {0, true, true, 0}, {1, false, false, 0}, {2, false, true, 1}, {3, false, false, 0}};
    for (const auto& c : cases) {
        starts.clear();
        ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(c.position));
        page.PopupMenu1Popup();
        EXPECT_EQ(page.popAddFile->isVisible(), c.add) << c.position;
        EXPECT_EQ(page.popDelete->isVisible(), c.remove) << c.position;
        QTest::keyClick(ControlOf<QTreeWidget>(*window, "TreeView1"), Qt::Key_Return);
        EXPECT_EQ(starts.size(), c.starts) << c.position;
    }
}

TEST_F(ProjectPageTest, DeleteRemovesProjectOrFileButNoCategory) {
    auto window = Shown();
    NewProject(*window, "A");
    NewProject(*window, "B");
    AddFiles(*window, 0, {"/s/a.c", "/s/b.h"});
    AddFiles(*window, 6, {"/s/c.c"});
    ProjectPage& page = *ControlOf<tamble::ProjectPage>(*window, "tabProjectView");

    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(1)); // a category
    page.popDeleteClick();
    EXPECT_EQ(page.TreeView2.Count(), 11);
    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(2)); // /s/a.c
    page.popDeleteClick();
    ExpectInStep(*window);
    ControlOf<QTreeWidget>(*window, "TreeView1")
        ->setCurrentItem(page.ItemAt(0)); // project A with b.h
    page.popDeleteClick();
    ExpectInStep(*window);
    Save(*window, folder_.File("b.prj"));
    EXPECT_EQ(folder_.Read("b.prj"),
              "B\r\n\tSource Files\r\n\t\t/s/c.c\r\n\tHeader Files\r\n\tOther Files\r\n");
}

TEST_F(ProjectPageTest, CategoryImagesFollowExpandAndSelection) {
    auto window = Shown();
    NewProject(*window, "A");
    AddFiles(*window, 0, {"/s/a.c", "/s/b.h"});
    ProjectPage& page = *ControlOf<tamble::ProjectPage>(*window, "tabProjectView");
    QTreeWidgetItem* sources = page.ItemAt(1);
    QTreeWidgetItem* headers = page.ItemAt(3);

    ControlOf<QTreeWidget>(*window, "TreeView1")->clearSelection();
    sources->setExpanded(true);
    EXPECT_EQ(Images(sources), std::make_pair(2, 2)); // nothing selected: unchanged

    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(0));
    headers->setExpanded(true);
    EXPECT_EQ(Images(headers), std::make_pair(3, 2)); // another node selected
    headers->setExpanded(false);
    EXPECT_EQ(Images(headers), std::make_pair(2, 2));

    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(headers);
    headers->setExpanded(true);
    EXPECT_EQ(Images(headers), std::make_pair(3, 3));
    headers->setExpanded(false);
    EXPECT_EQ(Images(headers), std::make_pair(2, 2));
}

TEST_F(ProjectPageTest, SingleExpandModeFollowsTheOption) {
    folder_.Write("tamble.ini", "[Application]\r\nTreeState1=0\r\n");
    auto window = Shown();
    NewProject(*window, "A");
    NewProject(*window, "B");
    QTreeWidgetItem* a = ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(0);
    QTreeWidgetItem* b = ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(1);

    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(a);
    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(b);
    EXPECT_FALSE(a->isExpanded() || b->isExpanded());

    // Turned on in the options dialog: it takes effect at once.
    WhenModal([](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("chkTreeState1"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    ControlOf<QAction>(*window, "mnuOption")->trigger();
    ASSERT_TRUE(window->Options().TreeState1);
    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(a->child(0));
    EXPECT_TRUE(a->isExpanded());
    ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(b);
    EXPECT_FALSE(a->isExpanded());
    EXPECT_TRUE(b->isExpanded());
}

TEST_F(ProjectPageTest, DropsNeedAProjectAndFollowThePointer) {
    auto window = Shown();
    DropOn(*window, nullptr, {"/d/a.c"}); // empty tree: ignored
    EXPECT_TRUE(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.Empty());

    NewProject(*window, "A");
    NewProject(*window, "B");
    // Below every node: the project of the topmost visible node.
    QWidget* viewport = ControlOf<QTreeWidget>(*window, "TreeView1")->viewport();
    auto* page = ControlOf<tamble::ProjectPage>(*window, "tabProjectView");
    page->DropFiles({"/d/a.c"}, viewport->mapTo(page, QPoint(5, viewport->height() - 3)));
    EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.At(2).text,
              "/d/a.c");

    ControlOf<QTabWidget>(*window, "PageControl")->setCurrentIndex(tamble::kFilePage);
    DropOn(*window, ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(1), {"/d/b.c"});
    EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.Count(), 9);
}

TEST_F(ProjectPageTest, FailedOpenLeavesBothTreesAndSaysWhy) {
    auto window = Shown();
    NewProject(*window, "Keep");
    AddFiles(*window, 0, {"/s/a.c"});
    const std::vector<std::string> before = Texts(*window);
    const std::string bad = folder_.Write("bad.prj", "x\r\n\ty\r\n\t\t\tz\r\n");
    const std::string missing = folder_.File("missing.prj");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {bad, Cp932("アイテム \"z\" の階層 (3) が不正です.")},
        {missing, Cp932("ファイル ") + missing + Cp932(" は開けません.")},
    };
    for (const auto& c : cases) {
        prompts_.asked.clear();
        Open(*window, c.path);
        ASSERT_EQ(prompts_.asked.size(), 2u);
        EXPECT_EQ(prompts_.asked[1].title, "Tamble");
        EXPECT_EQ(prompts_.asked[1].text, c.message);
        EXPECT_EQ(Texts(*window), before);
        ExpectInStep(*window);
    }
    prompts_.asked.clear();
    const std::string unwritable = folder_.File("no/such.prj");
    Save(*window, unwritable);
    EXPECT_EQ(prompts_.asked.back().text,
              Cp932("ファイル ") + unwritable + Cp932(" を作成できません."));
}

// Texts a project file could not give back are refused where they come in,
// with a message; everything else of the command goes on.
TEST_F(ProjectPageTest, TextsThatWouldNotReadBackAreRefused) {
    TAMBLE_SKIP_ON_WINDOWS(
        "its short names split POSIX paths at \"/\", which is no name delimiter on Windows");
    auto window = Shown();
    const struct {
        const char* name;
        std::string project;
        const char* message; // "" when the project is made
    } names[] = {
        {"leading blank", " Demo", "プロジェクト名を空白やタブで始めることはできません."},
        {"leading tab", "\tDemo", "プロジェクト名を空白やタブで始めることはできません."},
        {"line break", "De\nmo", "プロジェクト名に改行は使えません."},
        {"blank inside and at the end", "My Demo ", ""},
    };
    for (const auto& n : names) {
        prompts_.asked.clear();
        const int before =
            ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.Count();
        NewProject(*window, n.project);
        const bool refused = *n.message != '\0';
        EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.Count(),
                  before + (refused ? 0 : 4))
            << n.name;
        ASSERT_EQ(prompts_.asked.size(), refused ? 2u : 1u) << n.name;
        if (refused) {
            EXPECT_EQ(prompts_.asked[1].text, Cp932(n.message)) << n.name;
        }
    }
    ExpectInStep(*window);

    // Files by the menu and by a drop: the good ones go in, in order.
    const std::string refusedText = Cp932("次のファイルは名前に改行を含むか空白やタブで始まるので、"
                                          "プロジェクトに追加できません:") +
                                    "\n" + Cp932("「/s/a\nb.c」") + "\n" + Cp932("「/s/c\rd.h」") +
                                    ".";
    prompts_.asked.clear();
    AddFiles(*window, 0, {"/s/a\nb.c", "/s/one.c", "/s/c\rd.h"});
    ASSERT_EQ(prompts_.asked.size(), 2u);
    EXPECT_EQ(prompts_.asked[1].text, refusedText);
    prompts_.asked.clear();
    ControlOf<tamble::ProjectPage>(*window, "tabProjectView")
        ->DropFiles({"/s/two.c", "/s/a\nb.c", "/s/c\rd.h"}, QPoint());
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, refusedText);
    EXPECT_EQ(Texts(*window), (std::vector<std::string>{"My Demo ", "Source Files", "one.c",
                                                        "two.c", "Header Files", "Other Files"}));
    ExpectInStep(*window);

    // What was let in reads back as it was.
    const tamble::ProjectTree model =
        ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2;
    Save(*window, folder_.File("ok.prj"));
    Open(*window, folder_.File("ok.prj"));
    EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2, model);
}

TEST_F(ProjectPageTest, MissingCategoryStopsTheAdd) {
    auto window = Shown();
    Open(*window, folder_.Write("edited.prj", "edited\r\n\tSource Files\r\n"));
    prompts_.asked.clear();
    AddFiles(*window, 0, {"/s/x.c", "/s/y.h", "/s/z.c"});
    EXPECT_EQ(prompts_.asked.back().text, Cp932("リストのインデックスが範囲を超えています (1)"));
    EXPECT_EQ(ControlOf<tamble::ProjectPage>(*window, "tabProjectView")->TreeView2.Count(), 3);
    ExpectInStep(*window);
}

// Random commands, checking after each that the two trees correspond, and
// at the end that a save and an open give the same model.
TEST_F(ProjectPageTest, RandomCommandsKeepTheTreesInStep) {
    auto window = Shown();
    ProjectPage& page = *ControlOf<tamble::ProjectPage>(*window, "tabProjectView");
    std::mt19937 random(4);
    const auto pick = [&](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    const char* names[] = {"a.c", "b.h", "c.cpp", "d.txt", "e", "x.dir\\f", "g.H"};
    for (int step = 0; step < 300; ++step) {
        const int count = page.TreeView2.Count();
        switch (count == 0 ? 0 : pick(6)) {
        case 0:
            NewProject(*window, "p" + std::to_string(step) + (step % 3 ? "" : "\\q"));
            break;
        case 1:
            AddFiles(*window, page.TreeView2.ProjectOf(pick(count)),
                     {std::string("/f/") + names[pick(7)], std::string("/g/") + names[pick(7)]});
            break;
        case 2:
            ControlOf<QTreeWidget>(*window, "TreeView1")->setCurrentItem(page.ItemAt(pick(count)));
            page.popDeleteClick();
            break;
        case 3: {
            QTreeWidgetItem* item = page.ItemAt(pick(count));
            Reveal(*window, item);
            QTreeWidget* tree = ControlOf<QTreeWidget>(*window, "TreeView1");
            const QPoint at = tree->viewport()->mapTo(&page, tree->visualItemRect(item).center());
            page.DropFiles({std::string("/drop/") + names[pick(7)]}, at);
            break;
        }
        case 4:
            ControlOf<QCheckBox>(*window, "chkShortLongName")->click();
            break;
        default: {
            const std::string path = folder_.File("r.prj");
            const tamble::ProjectTree before = page.TreeView2;
            Save(*window, path);
            Open(*window, path);
            ASSERT_EQ(page.TreeView2, before) << step;
        }
        }
        ExpectInStep(*window);
        if (HasFatalFailure()) return;
    }
}

} // namespace
