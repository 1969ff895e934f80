#include "tests/app/guitest.h"
#include "tests/common/controlof.h"

#include "app/tfrmoption.h"
#include "platform/codepage.h"
#include "widgets/escapehook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using tamble::TfrmOption;

class OptionDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        window_ = Create();
        window_->show();
        before_ = window_->Options();
        window_->SetFilterItems({"*.*", "*.c"});
        ControlOf<QComboBox>(*window_, "cmbFilter")->setCurrentIndex(1);
    }
    void TearDown() override { window_->close(); }

    // Opens the dialog from the Tools menu; edit runs while it is up.
    void OpenAndEdit(const std::function<void(TfrmOption&)>& edit) {
        WhenModal([edit](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmOption*>(modal);
            ASSERT_NE(dialog, nullptr);
            edit(*dialog);
        });
        ControlOf<QAction>(*window_, "mnuOption")->trigger();
    }

    static void ChangeEverything(TfrmOption& d) {
        d.chkStayOnTop->setChecked(true);
        d.edtUseEditor->setText(QStringLiteral("/usr/bin/gedit"));
        d.edtSearchStringApp->setText(QStringLiteral("/usr/bin/grep"));
        d.edtSearchStringAppCmdLineA->setText(QString());
        d.edtSearchStringAppCmdLineB->setText(QStringLiteral("-r $FILE"));
        d.chkTreeState1->setChecked(true);
        d.chkStartFolderIsBefore->setChecked(true);
        d.chkDblClickUpFolder->setChecked(true);
        d.edtFilter->setText(QStringLiteral("*.md"));
        d.Button1->click();
    }

    std::unique_ptr<tamble::TfrmTamble> window_;
    tamble::AppOptions before_;
};

TEST_F(OptionDialogTest, ControlsAreFilledFromTheMainWindow) {
    OpenAndEdit([](TfrmOption& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("設定"));
        EXPECT_EQ(d.size(), QSize(417, 379));
        EXPECT_EQ(d.PageControl1->tabText(0), QStringLiteral("全般"));
        EXPECT_EQ(d.PageControl1->tabText(1), QStringLiteral("文字列検索"));
        EXPECT_EQ(d.edtUseEditor->text(), QString::fromLatin1(tamble::kDefaultEditor));
        EXPECT_EQ(d.edtSearchStringAppCmdLineA->text(), QStringLiteral("-sf:$PATH"));
        EXPECT_FALSE(d.edtCommandLineToEditor->isEnabled());
        EXPECT_FALSE(d.chkStayOnTop->isChecked());
        EXPECT_EQ(d.ListBoxFilter->count(), 2);
        EXPECT_EQ(d.ListBoxFilter->item(1)->text(), QStringLiteral("*.c"));
        EXPECT_EQ(d.ListView1->topLevelItemCount(), 2);
        EXPECT_EQ(d.ListView1->topLevelItem(1)->text(0), QStringLiteral("$FILE"));
        EXPECT_EQ(d.ListView1->topLevelItem(1)->text(1), QStringLiteral("ファイル名"));
        EXPECT_EQ(d.edtUseEditor->geometry(), QRect(8, 44, 369, 20));
        EXPECT_EQ(d.btnOK->geometry(), QRect(237, 4, 84, 25));
        EXPECT_EQ(d.Button3->text(), QStringLiteral("削除(&D)"));
        d.btnCancel->click();
    });
}

TEST_F(OptionDialogTest, OnlyOkWritesBack) {
    const struct {
        const char* name;
        std::function<void(TfrmOption&)> close;
        bool writesBack;
    } ways[] = {
        {"OK", [](TfrmOption& d) { d.btnOK->click(); }, true},
        {"Cancel", [](TfrmOption& d) { d.btnCancel->click(); }, false},
        {"close box", [](TfrmOption& d) { d.close(); }, false},
        {"Escape on the first page",
         [](TfrmOption& d) { QTest::keyClick(d.edtUseEditor, Qt::Key_Escape); }, false},
        {"Escape on the second page",
         [](TfrmOption& d) {
             d.PageControl1->setCurrentIndex(1);
             QTest::keyClick(d.edtSearchStringApp, Qt::Key_Escape);
         },
         false},
    };
    TearDown();
    for (const auto& way : ways) {
        std::filesystem::remove(SettingsPath()); // each way starts from the defaults
        SetUp();
        OpenAndEdit([&way](TfrmOption& d) {
            ChangeEverything(d);
            way.close(d);
        });
        const tamble::AppOptions& o = window_->Options();
        if (way.writesBack) {
            EXPECT_EQ(o.UseEditor, "/usr/bin/gedit");
            EXPECT_EQ(o.SearchStringApp, "/usr/bin/grep");
            EXPECT_EQ(o.SearchStringAppCmdLineA, "");
            EXPECT_EQ(o.SearchStringAppCmdLineB, "-r $FILE");
            EXPECT_TRUE(o.TreeState1 && o.StartFolderIsBefore && o.DblClickUpFolder);
            EXPECT_EQ(o.FormStyle, tamble::kFormStyleStayOnTop);
            EXPECT_TRUE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            EXPECT_EQ(window_->FilterItems(), (tamble::HistoryList{"*.*", "*.c", "*.md"}));
        } else {
            EXPECT_EQ(o, before_) << way.name;
            EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << way.name;
            EXPECT_EQ(window_->FilterItems(), (tamble::HistoryList{"*.*", "*.c"})) << way.name;
            EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->currentIndex(), 1) << way.name;
        }
        TearDown();
    }
    SetUp();
}

TEST_F(OptionDialogTest, OkWithoutChangesSelectsTheFirstFilter) {
    OpenAndEdit([](TfrmOption& d) { d.btnOK->click(); });
    EXPECT_EQ(window_->Options(), before_);
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->currentIndex(), 0);
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->currentText(), QStringLiteral("*.*"));
}

TEST_F(OptionDialogTest, EscapeInABoxOpenedFromTheDialogKeepsTheDialog) {
    // Escape cancels a file chooser opened from the dialog; it must not
    // cancel the dialog and its edits as well.
    OpenAndEdit([](TfrmOption& d) {
        d.edtUseEditor->setText(QStringLiteral("kept"));
        QDialog chooser(&d);
        QTimer::singleShot(0, [&chooser] { QTest::keyClick(&chooser, Qt::Key_Escape); });
        chooser.exec();
        EXPECT_TRUE(d.isVisible());
        d.btnOK->click();
    });
    EXPECT_EQ(window_->Options().UseEditor, "kept");
}

TEST_F(OptionDialogTest, FilterEditing) {
    TfrmOption d(*window_);
    auto items = [&d] {
        QStringList texts;
        for (int i = 0; i < d.ListBoxFilter->count(); ++i)
            texts << d.ListBoxFilter->item(i)->text();
        return texts;
    };
    d.edtFilter->setText(QStringLiteral("*.c"));
    d.Button1->click(); // already listed: nothing, the text stays
    EXPECT_EQ(items(), (QStringList{"*.*", "*.c"}));
    EXPECT_EQ(d.edtFilter->text(), QStringLiteral("*.c"));
    d.edtFilter->setText(QStringLiteral("*.C"));
    d.Button1->click(); // differs in case: added, the box empties
    EXPECT_EQ(items(), (QStringList{"*.*", "*.c", "*.C"}));
    EXPECT_TRUE(d.edtFilter->text().isEmpty());
    d.ListBoxFilter->setCurrentRow(1); // a click copies the entry into the box
    EXPECT_EQ(d.edtFilter->text(), QStringLiteral("*.c"));
    // Clicking the selected entry again copies it again over an edit.
    d.edtFilter->setText(QStringLiteral("edited"));
    const QRect entry = d.ListBoxFilter->visualItemRect(d.ListBoxFilter->item(1));
    QTest::mouseClick(d.ListBoxFilter->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(d.edtFilter->text(), QStringLiteral("*.c"));
    d.edtFilter->clear();
    d.Button2->click(); // update puts in even an empty entry
    EXPECT_EQ(items(), (QStringList{"*.*", "", "*.C"}));
    d.ListBoxFilter->setCurrentRow(0);
    d.Button3->click();
    EXPECT_EQ(items(), (QStringList{"", "*.C"}));
    d.Button3->click(); // nothing selected any more
    EXPECT_EQ(items().size(), 2);
}

TEST_F(OptionDialogTest, EmptiedFilterListComesBackAsDefaultsAfterRestart) {
    OpenAndEdit([](TfrmOption& d) {
        for (int i = 0; i < 2; ++i) {
            d.ListBoxFilter->setCurrentRow(0);
            d.Button3->click();
        }
        d.btnOK->click();
    });
    EXPECT_EQ(ControlOf<QComboBox>(*window_, "cmbFilter")->count(), 0);
    window_->close();
    window_ = Create();
    EXPECT_EQ(window_->FilterItems(),
              (tamble::HistoryList{"*.*", "*.c;*.cpp;*.cxx;*.h;*.hpp;*.hxx"}));
}

TEST_F(OptionDialogTest, ChoosingPrograms) {
    prompts_.fileAnswers = {std::string("/opt/ed/ed"), std::nullopt, std::string("/opt/ed/other"),
                            std::string("/usr/bin/grep")};
    TfrmOption d(*window_);
    d.btnFileSelect->click();
    EXPECT_EQ(d.edtUseEditor->text(), QStringLiteral("/opt/ed/ed"));
    d.btnFileSelect->click(); // cancelled: unchanged
    EXPECT_EQ(d.edtUseEditor->text(), QStringLiteral("/opt/ed/ed"));
    d.btnFileSelect->click();
    EXPECT_EQ(prompts_.asked.at(2).fileBox.initialFolder, "/opt/ed"); // starts where it ended
    d.btnSearchStringApp->click();
    EXPECT_EQ(d.edtSearchStringApp->text(), QStringLiteral("/usr/bin/grep"));
    EXPECT_EQ(prompts_.asked.at(3).fileBox.initialFolder, ""); // a fresh chooser each time
}

TEST(EscapeHook, ClosesOnlyItsWindowAndOnlyWhileAlive) {
    QWidget window;
    QLineEdit edit(&window);
    window.show();
    int closes = 0;
    {
        tamble::EscapeHook hook(&window, [&closes] { ++closes; });
        QTest::keyClick(&edit, Qt::Key_Escape); // offered to edit and then to window: one close
        EXPECT_EQ(closes, 1);
        QTest::keyClick(&edit, Qt::Key_A);
        EXPECT_EQ(closes, 1);
    }
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(closes, 1);
}

} // namespace
