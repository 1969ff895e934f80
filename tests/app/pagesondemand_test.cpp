// The project and item pages are built when first needed. What can go wrong
// with that: a file or setting of a page never built is lost or rewritten
// at exit, a setting read at start misses the page built later, a command
// or a drop reaches a page that is not there, the page selected at start
// is not the one shown.
#include "launcher/launcherpage.h"
#include "project/projectpage.h"
#include "tests/app/guitest.h"
#include "tests/common/controlof.h"

#include "platform/codepage.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

namespace {

using tamble::LauncherPage;
using tamble::ProjectPage;
using tamble::TfrmTamble;

class PagesOnDemandTest : public MainWindowTest {
protected:
    static QTabWidget& Tabs(const TfrmTamble& window) {
        return *ControlOf<QTabWidget>(window, "PageControl");
    }
    static bool ProjectPageBuilt(const TfrmTamble& window) {
        return window.findChild<ProjectPage*>() != nullptr;
    }
    static bool ItemPageBuilt(const TfrmTamble& window) {
        return window.findChild<LauncherPage*>() != nullptr;
    }
    // Drops file (native) on the window at its point at, as the desktop does.
    static void Drop(TfrmTamble& window, const std::string& file, QPoint at) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(file.c_str()))});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    }
};

TEST_F(PagesOnDemandTest, TheSelectedPageAtStartIsBuiltAndShown) {
    const struct {
        const char* name;
        int page;
        bool projects;
        bool items;
    } cases[] = {{"project page", tamble::kProjectPage, true, false},
                 {"file page", tamble::kFilePage, false, false},
                 {"item page", tamble::kItemPage, false, true}};
    for (const auto& c : cases) {
        folder_.Write("tamble.ini",
                      "[Application]\r\nActivePage=" + std::to_string(c.page) + "\r\n");
        auto window = Create();
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(Tabs(*window).currentIndex(), c.page) << c.name;
        EXPECT_EQ(ProjectPageBuilt(*window), c.projects) << c.name;
        EXPECT_EQ(ItemPageBuilt(*window), c.items) << c.name;
        // Whatever is built, every tab has its caption from the first frame.
        EXPECT_EQ(Tabs(*window).tabText(tamble::kProjectPage), QStringLiteral("ProjectView"));
        EXPECT_EQ(Tabs(*window).tabText(tamble::kItemPage), QStringLiteral("ItemView"));
        const char* shown = c.page == tamble::kProjectPage ? "TreeView1"
                            : c.page == tamble::kFilePage  ? "ListViewFile"
                                                           : "ListViewItem1";
        EXPECT_TRUE(ControlOf<QWidget>(*window, shown)->isVisible()) << c.name;
        // The project commands have their images wherever they show: on the
        // project page's tool bar, and in the File menu once it opens.
        QAction* newProject = ControlOf<QAction>(*window, "mnuNewProject");
        EXPECT_EQ(newProject->icon().isNull(), !c.projects) << c.name;
        emit ControlOf<QMenu>(*window, "File1")->aboutToShow();
        EXPECT_FALSE(newProject->icon().isNull()) << c.name;
        window->close();
    }
}

TEST_F(PagesOnDemandTest, ClosingKeepsTheFilesAndSettingsOfPagesNeverBuilt) {
    // Bytes that a rewrite would change: LF ends, a comment, a section and
    // a key that the item page does not write.
    const std::string items = "; mine\n[List]\nItemNum=1\nItemName0=ed\nItemFileName0=/bin/ed\n"
                              "ItemPara0=-p \"*\"\nNote=kept\n[Other]\nx=1\n";
    folder_.Write("item.lst", items);
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=1\r\nTreeState1=1\r\n");
    {
        auto window = Create();
        window->show();
        window->close();
        EXPECT_FALSE(ProjectPageBuilt(*window));
        EXPECT_FALSE(ItemPageBuilt(*window));
    }
    EXPECT_EQ(folder_.Read("item.lst"), items);
    EXPECT_NE(folder_.Read("tamble.ini").find("TreeState1=1\r\n"), std::string::npos);
    EXPECT_NE(folder_.Read("tamble.ini").find("ActivePage=1\r\n"), std::string::npos);
    EXPECT_TRUE(prompts_.asked.empty());

    // No item.lst before: none after.
    std::filesystem::remove(folder_.File("item.lst"));
    Create()->close();
    EXPECT_FALSE(ItemsSaved());
}

TEST_F(PagesOnDemandTest, AnItemFileThatCannotBeReadIsSaidAndNeverWrittenOver) {
    // A folder in its place: it exists and cannot be read as a file.
    std::filesystem::create_directory(folder_.File("item.lst"));
    folder_.Write("item.lst/inside", "x");
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=2\r\n");
    auto window = Create();
    window->show();
    QApplication::processEvents(); // the error is said once the window is up
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_NE(prompts_.asked[0].text.find("item.lst"), std::string::npos);
    EXPECT_NE(prompts_.asked[0].text.find(platform::Cp932("読み込めません")), std::string::npos);
    // An item added anyway is not written over what could not be read.
    ControlOf<LauncherPage>(*window, "TabSheet1")->AddLauncherItem("n", "/bin/n", "");
    window->close();
    EXPECT_EQ(prompts_.asked.size(), 1u); // no failed write either
    EXPECT_EQ(folder_.Read("item.lst/inside"), "x");
}

TEST_F(PagesOnDemandTest, AProjectSettingReadAtStartHoldsWhenThePageIsFirstShown) {
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=1\r\nTreeState1=1\r\n");
    auto window = Create();
    window->show();
    ASSERT_FALSE(ProjectPageBuilt(*window));
    Tabs(*window).setCurrentIndex(tamble::kProjectPage);
    for (const char* name : {"A", "B"}) {
        prompts_.inputAnswers.push_back(std::string(name));
        ControlOf<QAction>(*window, "mnuNewProject")->trigger();
    }
    QTreeWidget* tree = ControlOf<QTreeWidget>(*window, "TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* a = tree->topLevelItem(0);
    QTreeWidgetItem* b = tree->topLevelItem(1);
    // Single-expand mode: the selected branch opens, the others fold.
    tree->setCurrentItem(a->child(0));
    EXPECT_TRUE(a->isExpanded());
    tree->setCurrentItem(b);
    EXPECT_FALSE(a->isExpanded());
    EXPECT_TRUE(b->isExpanded());
    window->close();
}

TEST_F(PagesOnDemandTest, CommandsAndDropsReachPagesNotYetShown) {
    folder_.Write("work.prj", "Demo\r\n\tSource Files\r\n\tHeader Files\r\n\tOther Files\r\n");
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=1\r\n");
    auto window = Create();
    window->show();
    ASSERT_FALSE(ProjectPageBuilt(*window));

    // The File menu opens a project on the page behind the file page.
    prompts_.fileAnswers.push_back(platform::Utf8ToCp932(folder_.File("work.prj")));
    ControlOf<QAction>(*window, "mnuOpenProject")->trigger();
    EXPECT_EQ(Tabs(*window).currentIndex(), tamble::kFilePage);
    ASSERT_TRUE(ProjectPageBuilt(*window));
    EXPECT_EQ(ControlOf<ProjectPage>(*window, "tabProjectView")->TreeView2.Count(), 4);
    // So does the notification area's menu.
    prompts_.inputAnswers.push_back(std::string("Tray"));
    ControlOf<QAction>(*window, "N9")->trigger();
    EXPECT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItemCount(), 2);

    // A drop right after the item page is first selected offers the file.
    ASSERT_FALSE(ItemPageBuilt(*window));
    Tabs(*window).setCurrentIndex(tamble::kItemPage);
    QString offered;
    WhenModal([&offered](QWidget* modal) {
        if (modal != nullptr) offered = modal->findChild<QLineEdit*>("edtFileName")->text();
    });
    Drop(*window, folder_.File("work.prj"), QPoint(20, 60));
    EXPECT_EQ(offered, QString::fromUtf8(folder_.File("work.prj").c_str()));
    window->close();
}

} // namespace
