// The main window's side of the command line and of the session's end.
#include "app/sessionend.h"
#include "platform/codepage.h"
#include "project/projectpage.h"
#include "tests/app/guitest.h"
#include "tests/common/controlof.h"
#include "tests/common/windowsskip.h"
#include "widgets/qtext.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <csignal>
#include <filesystem>

namespace {

using tamble::TfrmTamble;

class StartPathTest : public MainWindowTest {
protected:
    // The folder the file page lists (CP932).
    static std::string Shown(const TfrmTamble& window) {
        return platform::ToCp932(ControlOf<QComboBox>(window, "cmbPathAddress")->currentText());
    }
};

TEST_F(StartPathTest, ShowsFoldersFilesAndProjects) {
    TAMBLE_SKIP_ON_WINDOWS(
        "its names are made from UTF-8 bytes, which Windows reads in the ANSI code page; the "
        "end-to-end check starts the package with a Japanese path");
    const std::string odd = "-dir \xe6\x97\xa5\xe6\x9c\xac"; // leading dash, blank, Japanese
    std::filesystem::create_directory(folder_.File(odd));
    folder_.Write("notes.txt", "");
    folder_.Write("work.prj", "Demo\r\n\tSource Files\r\n\t\t/src/main.c\r\n\tHeader Files\r\n"
                              "\tOther Files\r\n");
    auto window = Create();
    window->show();

    window->ShowStartPath(folder_.File(odd));
    EXPECT_EQ(ControlOf<QTabWidget>(*window, "PageControl")->currentIndex(), tamble::kFilePage);
    EXPECT_EQ(Shown(*window), platform::Utf8ToCp932(folder_.File(odd)));
    window->ShowStartPath(folder_.File("notes.txt"));
    EXPECT_EQ(Shown(*window), platform::Utf8ToCp932(folder_.Path()));

    window->ShowStartPath(folder_.File("work.prj"));
    EXPECT_EQ(ControlOf<QTabWidget>(*window, "PageControl")->currentIndex(), tamble::kProjectPage);
    ASSERT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItemCount(), 1);
    EXPECT_EQ(ControlOf<QTreeWidget>(*window, "TreeView1")->topLevelItem(0)->text(0),
              QStringLiteral("Demo"));
    EXPECT_TRUE(prompts_.asked.empty());

    window->ShowStartPath(folder_.File("gone"));
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_NE(prompts_.asked[0].text.find(folder_.File("gone")), std::string::npos);
    EXPECT_EQ(Shown(*window), platform::Utf8ToCp932(folder_.Path()));
    window->close();
}

TEST_F(StartPathTest, AFolderFromTheCommandLineIsOpenedFirstInsteadOfTheSettings) {
    std::filesystem::create_directory(folder_.File("start"));
    std::filesystem::create_directory(folder_.File("last"));
    folder_.Write("tamble.ini", "[Application]\r\nActivePage=0\r\nStartFolderIsBefore=1\r\n"
                                "PathAddressNameLast=" +
                                    platform::Utf8ToCp932(folder_.File("last")) + "\r\n");
    startFolder_ = folder_.File("start");
    auto window = Create();
    EXPECT_EQ(ControlOf<QTabWidget>(*window, "PageControl")->currentIndex(), tamble::kFilePage);
    EXPECT_EQ(Shown(*window), platform::Utf8ToCp932(folder_.File("start")));
    // The page the settings named is not built for a frame that never shows it.
    EXPECT_EQ(window->findChild<tamble::ProjectPage*>(), nullptr);
    window->close();
}

TEST_F(StartPathTest, BringsTheWindowBackFromTheTray) {
    auto window = Create();
    window->show();
    window->showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(window->InTray());
    window->ShowStartPath(folder_.Path());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->InTray());
    window->close();
}

// SIGTERM (as SIGHUP, SIGINT and the session manager's request) closes the
// window: the same exit steps as a close, run once, the same bytes saved.
TEST_F(StartPathTest, SessionEndSavesAsClosingDoes) {
    TAMBLE_SKIP_ON_WINDOWS(
        "it ends the session through POSIX signals; on Windows Qt's own session end is used");
    // On the item page, which writes item.lst at exit once it is built.
    const std::string onItemPage = "[Application]\r\nActivePage=2\r\n";
    std::string closedBytes;
    {
        folder_.Write("tamble.ini", onItemPage);
        auto window = Create();
        window->show();
        window->close();
        closedBytes = folder_.Read("tamble.ini");
        std::filesystem::remove(SettingsPath());
    }
    ASSERT_FALSE(closedBytes.empty());

    folder_.Write("tamble.ini", onItemPage);
    auto window = Create();
    bool closed = false;
    QObject::connect(window.get(), &TfrmTamble::Closed, [&closed] { closed = true; });
    window->show();
    tamble::CloseWithSession(*qApp, *window);
    std::raise(SIGTERM);
    // Waits for the event, not for a time: the limit only ends a hang.
    ASSERT_TRUE(QTest::qWaitFor([&closed] { return closed; }, 20000));
    EXPECT_EQ(folder_.Read("tamble.ini"), closedBytes);
    EXPECT_TRUE(ItemsSaved());
    // Once only, whatever comes after.
    RemoveSaved();
    std::raise(SIGTERM);
    QApplication::processEvents();
    window->FormDestroy();
    EXPECT_FALSE(SettingsSaved());
    EXPECT_FALSE(ItemsSaved());
}

} // namespace
