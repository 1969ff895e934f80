#include "launcher/launcherpage.h"
#include "tests/common/controlof.h"

#include "launcher/tfrmprogram.h"
#include "platform/codepage.h"
#include "platform/programstart.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"
#include "widgets/qtext.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using platform::Cp932;
using tamble::LauncherItem;
using tamble::LauncherItemList;
using tamble::LauncherPage;
using tamble::TfrmProgram;

class LauncherPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetProgramStarter(
            [this](const platform::ProgramStart& start) { started_.push_back(start); });
        page_ = std::make_unique<LauncherPage>(prompts_, folder_.File("item.lst"));
        page_->resize(200, 300);
        page_->show();
        list_ = ControlOf<QTreeWidget>(*page_, "ListViewItem1");
    }
    void TearDown() override { platform::SetProgramStarter({}); }

    void Add(const LauncherItemList& items) {
        for (const LauncherItem& item : items)
            page_->AddLauncherItem(item.name, item.fileName, item.parameters);
    }
    void Select(int row) { list_->setCurrentItem(list_->topLevelItem(row)); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const LauncherItem& item : page_->ListViewItem2)
            names.push_back(item.name);
        for (int i = 0; i < list_->topLevelItemCount(); ++i)
            EXPECT_EQ(platform::ToCp932(list_->topLevelItem(i)->text(0)), names.at(i)) << i;
        EXPECT_EQ(list_->topLevelItemCount(), static_cast<int>(names.size()));
        return names;
    }
    int ImageOf(int row) const { return list_->topLevelItem(row)->data(0, Qt::UserRole).toInt(); }

    // Runs action on the item dialog once it is up; the dialog is closed
    // afterwards if the action left it open.
    static void WithDialog(std::function<void(TfrmProgram*)> action) {
        QTimer::singleShot(0, [action] {
            auto* dialog = qobject_cast<TfrmProgram*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(dialog);
            if (QApplication::activeModalWidget() == dialog) dialog->reject();
        });
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    std::unique_ptr<LauncherPage> page_;
    QTreeWidget* list_ = nullptr; // the page's ListViewItem1
    std::vector<platform::ProgramStart> started_;
};

TEST_F(LauncherPageTest, PopupMenuEntriesAndTheirEnablingRule) {
    const QList<QAction*> entries = page_->PopupMenu3->actions();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0], page_->popItemReg);
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(entries[2], page_->popConfig);
    EXPECT_EQ(entries[3], page_->popDel);
    EXPECT_EQ(page_->popItemReg->text(), QStringLiteral("アイテムの登録(&R)"));
    EXPECT_EQ(page_->popConfig->text(), QStringLiteral("設定(&C)"));
    EXPECT_EQ(page_->popDel->text(), QStringLiteral("削除(&D)"));

    Add({{"a", "/bin/true", ""}});
    for (const bool selected : {false, true, false}) {
        list_->clearSelection();
        if (selected) Select(0);
        page_->PopupMenu3Popup();
        EXPECT_TRUE(page_->popItemReg->isEnabled());
        EXPECT_EQ(page_->popConfig->isEnabled(), selected);
        EXPECT_EQ(page_->popDel->isEnabled(), selected);
    }
}

TEST_F(LauncherPageTest, DeletionKeepsIconsAndAStartRenumbers) {
    Add({{"0", "/bin/a", ""}, {"1", "/bin/b", ""}, {"2", "/bin/c", ""}});
    Select(1);
    prompts_.yesNoAnswers = {false};
    QTest::keyClick(list_, Qt::Key_Delete);
    EXPECT_EQ(Names().size(), 3u);
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, Cp932("アイテムを削除してもよろしいですか？"));
    EXPECT_EQ(prompts_.asked[0].title, Cp932("確認"));

    Select(1);
    prompts_.yesNoAnswers = {true};
    page_->popDelClick();
    Add({{"new", "/bin/d", ""}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"0", "2", "new"}));
    EXPECT_EQ(ImageOf(1), 2);
    EXPECT_EQ(ImageOf(2), 3);
    EXPECT_EQ(page_->ImageListItem.size(), 4);

    page_->SaveLauncherItems();
    page_->LoadLauncherItems();
    EXPECT_EQ(Names(), (std::vector<std::string>{"0", "2", "new"}));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(ImageOf(row), 4 + row);

    // Without a selection the Delete key asks nothing.
    list_->clearSelection();
    prompts_.asked.clear();
    page_->ListViewItem1KeyDown(Qt::Key_Delete);
    EXPECT_TRUE(prompts_.asked.empty());
}

TEST_F(LauncherPageTest, NameEditedInPlaceIsSavedAndItsEnterLaunchesNothing) {
    Add({{"old", "/bin/a", "-x"}});
    Select(0);
    // As a user does it: F2 opens the editor, Enter goes to the editor, which
    // passes it on to the list once it has taken the name.
    QTest::keyClick(list_, Qt::Key_F2);
    auto* editor = list_->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("新しい名前"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(list_->indexWidget(list_->currentIndex()), nullptr); // the editor has closed
    EXPECT_TRUE(started_.empty());

    page_->SaveLauncherItems();
    EXPECT_EQ(tamble::LoadItemFile(folder_.File("item.lst").c_str()),
              (LauncherItemList{{Cp932("新しい名前"), "/bin/a", "-x"}}));
    // Enter on the list itself still launches.
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(started_.size(), 1u);
}

TEST_F(LauncherPageTest, NameEditedInPlaceWithALineBreakIsRefused) {
    Add({{"old", "/bin/a", "-x"}});
    Select(0);
    QTest::keyClick(list_, Qt::Key_F2);
    auto* editor = list_->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("new\nname")); // as a paste brings it
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Names(), std::vector<std::string>{"old"});
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].text, Cp932("「名前」に改行は使えません."));
}

TEST_F(LauncherPageTest, FailedSaveNamesTheFile) {
    const std::string path = folder_.File("missing/item.lst");
    LauncherPage page(prompts_, path);
    page.SaveLauncherItems();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "Message");
    EXPECT_EQ(prompts_.asked[0].text, path + Cp932(" に書き込めません."));
    EXPECT_EQ(prompts_.asked[0].title, "Tamble");
}

TEST_F(LauncherPageTest, DoubleClickAndEnterLaunchTheSelectedItem) {
    Add({{"a", "/bin/a", "-p \"x y\""}, {"empty", "", ""}});
    Select(0);
    const QPoint point = list_->visualItemRect(list_->topLevelItem(0)).center();
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, point);
    QTest::keyClick(list_, Qt::Key_Return);
    ASSERT_EQ(started_.size(), 2u);
    for (const auto& start : started_) {
        EXPECT_EQ(start.program, "/bin/a");
        EXPECT_EQ(start.parameters, "-p \"x y\"");
    }
    // An item without a file starts nothing; nor does Enter without a selection.
    Select(1);
    page_->ListViewItem1KeyDown(Qt::Key_Return);
    list_->clearSelection();
    page_->ListViewItem1DblClick();
    EXPECT_EQ(started_.size(), 2u);
}

TEST_F(LauncherPageTest, DropOnAnItemStartsItWithTheFirstFileOnly) {
    Add({{"a", "/bin/a", "-stored"}, {"b", "/bin/b", "-stored"}});
    const QPoint point = list_->visualItemRect(list_->topLevelItem(1)).center();
    page_->DropOnLauncher({"/tmp/one file.txt", "/tmp/two.txt", "/tmp/three.txt"},
                          list_->viewport()->mapTo(page_.get(), point));
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].program, "/bin/b");
    EXPECT_EQ(started_[0].parameters, "/tmp/one file.txt");
    EXPECT_TRUE(started_[0].parameterIsOnePath);
}

TEST_F(LauncherPageTest, DropOnEmptySpaceOffersTheFileAsANewItem) {
    Add({{"a", "/bin/a", ""}});
    bool checked = false;
    WithDialog([&](TfrmProgram* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("追加するアイテムの設定をしてください"));
        EXPECT_EQ(dialog->edtName->text(), QStringLiteral("/tmp/x.txt"));
        EXPECT_EQ(dialog->edtFileName->text(), QStringLiteral("/tmp/x.txt"));
        EXPECT_EQ(dialog->edtPara->text(), QString());
        EXPECT_TRUE(dialog->btnOK->isEnabled());
        dialog->btnOK->click();
        checked = true;
    });
    page_->DropOnLauncher({"/tmp/x.txt"}, QPoint(10, 250)); // below the one item
    EXPECT_TRUE(checked);
    EXPECT_TRUE(started_.empty());
    EXPECT_EQ(page_->ListViewItem2.back(), (LauncherItem{"/tmp/x.txt", "/tmp/x.txt", ""}));
}

TEST_F(LauncherPageTest, ItemDialogOkRuleAndFileBox) {
    bool checked = false;
    WithDialog([&](TfrmProgram* dialog) {
        EXPECT_FALSE(dialog->btnOK->isEnabled());
        EXPECT_TRUE(dialog->btnOK->isDefault());
        const struct {
            const char* name;
            const char* fileName;
            bool enabled;
        } steps[] = {{"n", "", false}, {"n", "f", true}, {"", "f", false}, {" ", " ", true}};
        for (const auto& step : steps) {
            dialog->edtName->setText(QString::fromUtf8(step.name));
            dialog->edtFileName->setText(QString::fromUtf8(step.fileName));
            EXPECT_EQ(dialog->btnOK->isEnabled(), step.enabled) << step.name << step.fileName;
        }
        prompts_.fileAnswers = {std::string("/usr/bin/chosen")};
        dialog->btnFileName->click();
        EXPECT_EQ(dialog->edtFileName->text(), QStringLiteral("/usr/bin/chosen"));
        dialog->btnCancel->click();
        checked = true;
    });
    page_->popItemRegClick();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(page_->ListViewItem2.empty());
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].title, Cp932("登録するファイルを選択してください"));
    ASSERT_EQ(prompts_.asked[0].fileBox.filters.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].fileBox.filters[0].pattern, "*.*");
}

// OK with a text that item.lst could not give back says why and keeps the
// dialog open; mended, the item goes in.
TEST_F(LauncherPageTest, ItemDialogRefusesTextsTheFileCannotHold) {
    const std::string tooLong(tamble::kItemValueMax + 1, 'p');
    const struct {
        const char* name;
        std::string texts[3]; // name, file name, parameters
        const char* message;
    } cases[] = {
        {"LF in the name", {"a\nb", "/bin/a", ""}, "「名前」に改行は使えません."},
        {"CR in the file name", {"a", "/bin/a\r", ""}, "「ファイル名」に改行は使えません."},
        {"LF in the parameters", {"a", "/bin/a", "-x\n-y"}, "「パラメータ」に改行は使えません."},
        {"parameters too long",
         {"a", "/bin/a", tooLong},
         "「パラメータ」が長すぎます (2047 バイトまで)"},
    };
    bool checked = false;
    WithDialog([&](TfrmProgram* dialog) {
        QLineEdit* edits[] = {dialog->edtName, dialog->edtFileName, dialog->edtPara};
        for (const auto& c : cases) {
            prompts_.asked.clear();
            for (int i = 0; i < 3; ++i)
                edits[i]->setText(QString::fromStdString(c.texts[i]));
            dialog->btnOK->click();
            EXPECT_EQ(QApplication::activeModalWidget(), dialog) << c.name;
            ASSERT_EQ(prompts_.asked.size(), 1u) << c.name;
            EXPECT_EQ(prompts_.asked[0].text, Cp932(c.message)) << c.name;
        }
        // Blanks, tabs and quotes are stored as they are.
        edits[0]->setText(QStringLiteral(" a\tb "));
        edits[1]->setText(QStringLiteral("/bin/a"));
        edits[2]->setText(QStringLiteral("\"x y\" =z"));
        dialog->btnOK->click();
        checked = true;
    });
    page_->popItemRegClick();
    EXPECT_TRUE(checked);
    const LauncherItemList added{{" a\tb ", "/bin/a", "\"x y\" =z"}};
    EXPECT_EQ(page_->ListViewItem2, added);
    page_->SaveLauncherItems();
    EXPECT_EQ(tamble::LoadItemFile(folder_.File("item.lst").c_str()), added);
}

TEST_F(LauncherPageTest, ChangeModeEditsTheSelectedRow) {
    Add({{"a", "/bin/a", "-a"}, {"b", "/bin/b", "-b"}});
    const int imageBefore = ImageOf(1);
    Select(1);
    WithDialog([](TfrmProgram* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("アイテムの設定を変更してください"));
        EXPECT_EQ(dialog->edtName->text(), QStringLiteral("b"));
        EXPECT_EQ(dialog->edtPara->text(), QStringLiteral("-b"));
        dialog->edtName->setText(QStringLiteral("B"));
        dialog->edtFileName->setText(QStringLiteral("/bin/B"));
        dialog->edtPara->clear();
        dialog->btnOK->click();
    });
    page_->popConfigClick();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "B"}));
    EXPECT_EQ(page_->ListViewItem2[1], (LauncherItem{"B", "/bin/B", ""}));
    EXPECT_EQ(ImageOf(1), imageBefore);

    // Without a selection "設定(&C)" opens nothing.
    list_->clearSelection();
    page_->popConfigClick();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
