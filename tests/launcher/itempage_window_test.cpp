// The item page inside the main window: item.lst is read at creation and
// written at exit, and files dropped on the page reach the item under the
// pointer.
#include "launcher/launcherpage.h"
#include "tests/common/controlof.h"

#include "app/tfrmtamble.h"
#include "platform/codepage.h"
#include "platform/programstart.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ItemPageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetProgramStarter(
            [this](const platform::ProgramStart& start) { started_.push_back(start); });
    }
    void TearDown() override { platform::SetProgramStarter({}); }

    std::unique_ptr<tamble::TfrmTamble> Create() {
        tamble::ShellEnvironment environment;
        environment.settingsPath = folder_.File("tamble.ini");
        environment.dataFolder = folder_.Path();
        environment.prompts = &prompts_;
        environment.trayAvailable = false;
        return std::make_unique<tamble::TfrmTamble>(std::move(environment));
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    std::vector<platform::ProgramStart> started_;
};

TEST_F(ItemPageWindowTest, ItemsLoadAtCreationAndRenamesAreSavedAtExit) {
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=2\r\n");
    folder_.Write("item.lst",
                  "[List]\r\nItemNum=2\r\nItemName0=a\r\nItemFileName0=/bin/a\r\n"
                  "ItemPara0=\r\nItemName1=b\r\nItemFileName1=/bin/b\r\nItemPara1=-v\r\n");
    auto window = Create();
    ASSERT_NE(ControlOf<tamble::LauncherPage>(*window, "TabSheet1"), nullptr);
    ASSERT_EQ(ControlOf<QTreeWidget>(*window, "ListViewItem1")->topLevelItemCount(), 2);
    ControlOf<QTreeWidget>(*window, "ListViewItem1")
        ->setCurrentItem(ControlOf<QTreeWidget>(*window, "ListViewItem1")->topLevelItem(1));
    ControlOf<QTreeWidget>(*window, "ListViewItem1")
        ->topLevelItem(1)
        ->setText(0, QStringLiteral("renamed"));
    window->close();
    EXPECT_EQ(folder_.Read("item.lst"),
              "[List]\r\nItemNum=2\r\nItemName0=a\r\nItemFileName0=/bin/a\r\nItemPara0=\r\n"
              "ItemName1=renamed\r\nItemFileName1=/bin/b\r\nItemPara1=-v\r\n");
}

TEST_F(ItemPageWindowTest, FileDroppedOnAnItemStartsThatItem) {
    folder_.Write("item.lst", "[List]\r\nItemNum=3\r\nItemFileName0=/bin/a\r\n"
                              "ItemFileName1=/bin/b\r\nItemFileName2=/bin/c\r\n");
    auto window = Create();
    window->show();
    ControlOf<QTabWidget>(*window, "PageControl")->setCurrentIndex(tamble::kItemPage);
    QApplication::processEvents();
    QTreeWidget* list = ControlOf<QTreeWidget>(*window, "ListViewItem1");
    const QPoint inList = list->visualItemRect(list->topLevelItem(2)).center();
    const QPoint inWindow = list->viewport()->mapTo(window.get(), inList);

    QMimeData data;
#ifdef _WIN32
    const char* dropped = "C:\\tmp\\表.txt";
#else
    const char* dropped = "/tmp/表.txt";
#endif
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(dropped)),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/second.txt"))});
    QDragEnterEvent enter(inWindow, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(inWindow), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);

    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].program, "/bin/c");
    EXPECT_EQ(started_[0].parameters, platform::Utf8ToCp932(dropped));
    window->close();
}

} // namespace
