#include "tfrmcopyfiles.h"

#include "codepage.h"
#include "qtext.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using platform::FromCp932;
using platform::Utf8ToCp932;
using tamble::TfrmCopyFiles;

class CopyDialog : public ::testing::Test {
protected:
    void SetUp() override {
        state_.CurrentPath = source_.Path();
        state_.DuplicateFilePath = source_.Write("form.txt", "body");
        shell_.prompts = &prompts_;
    }

    std::unique_ptr<TfrmCopyFiles> Open() {
        auto dialog = std::make_unique<TfrmCopyFiles>(nullptr, state_, shell_);
        dialog->EditToFolder->setText(FromCp932(out_.Path()));
        return dialog;
    }

    TempFolder source_;
    TempFolder out_;
    tamble::MainWindowState state_;
    platform::ScriptedPrompts prompts_;
    platform::ShellOwner shell_;
};

TEST_F(CopyDialog, PickersFillTheirEdits) {
    auto dialog = Open();
    prompts_.folderAnswers = {out_.Path() + "/picked"};
    dialog->SpeedButton1->click();
    EXPECT_EQ(dialog->EditToFolder->text(), FromCp932(out_.Path() + "/picked"));
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "BrowseFolder");
    EXPECT_EQ(prompts_.asked[0].title, Utf8ToCp932("検索するフォルダを選択してください"));
    EXPECT_EQ(prompts_.asked[0].text, state_.CurrentPath);
    dialog->SpeedButton1->click(); // cancelled
    EXPECT_TRUE(dialog->EditToFolder->text().isEmpty());

    dialog->EditFileList->setText(QStringLiteral("before"));
    prompts_.fileAnswers = {std::nullopt, std::string("/lists/names.txt")};
    dialog->SpeedButton2->click();
    EXPECT_EQ(dialog->EditFileList->text(), QStringLiteral("before"));
    dialog->SpeedButton2->click();
    EXPECT_EQ(dialog->EditFileList->text(), QStringLiteral("/lists/names.txt"));
    const platform::FileBoxOptions& box = prompts_.asked.back().fileBox;
    EXPECT_EQ(box.defaultExtension, "txt");
    ASSERT_EQ(box.filters.size(), 1u);
    EXPECT_EQ(box.filters[0].description, Utf8ToCp932("テキストファイル (*.txt)"));
    EXPECT_EQ(box.filters[0].pattern, "*.txt");
}

TEST_F(CopyDialog, RunsReportFailuresAndKeepTheBarPosition) {
    auto dialog = Open();
    EXPECT_EQ(dialog->EditFromFile->text(), FromCp932(state_.DuplicateFilePath));
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 100);
    dialog->EditFileList->setText(FromCp932(source_.Write("list.txt", "a\nmissing/b\nc\n")));
    dialog->CheckBoxExtKeep->setChecked(true);
    dialog->Button1->click();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "Message");
    EXPECT_EQ(prompts_.asked[0].text, out_.Path() + "/missing/b.txt");
    EXPECT_EQ(prompts_.asked[0].title, state_.DuplicateFilePath);
    EXPECT_EQ(out_.Read("a.txt"), "body");
    EXPECT_EQ(out_.Read("c.txt"), "body");
    EXPECT_EQ(dialog->Label3->text(), QStringLiteral("作成が終了しました"));
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 3);
    EXPECT_EQ(dialog->ProgressBar1->value(), 3);

    // A second run over fewer names starts with a full bar and overwrites.
    source_.Write("form.txt", "v2");
    source_.Write("list.txt", "a\n");
    dialog->Button1->click();
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 1);
    EXPECT_EQ(dialog->ProgressBar1->value(), 1);
    EXPECT_EQ(out_.Read("a.txt"), "v2");

    // No usable line: no copy, the end message, an empty bar.
    source_.Write("list.txt", "// nothing\n");
    dialog->Button1->click();
    EXPECT_EQ(dialog->ProgressMax(), 0);
    EXPECT_EQ(dialog->ProgressBar1->value(), 0);
    EXPECT_EQ(dialog->Label3->text(), QStringLiteral("作成が終了しました"));
}

TEST_F(CopyDialog, EntryFunction) {
    state_.DuplicateFilePath.clear();
    tamble::ShowCopyFiles(nullptr, state_, std::nullopt, shell_);
    EXPECT_TRUE(state_.DuplicateFilePath.empty());

    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* dialog = qobject_cast<TfrmCopyFiles*>(QApplication::activeModalWidget())) {
            shown = dialog->EditFromFile->text();
            dialog->Button2->click();
        }
    });
    tamble::ShowCopyFiles(nullptr, state_, std::string("form.txt"), shell_);
    EXPECT_EQ(state_.DuplicateFilePath, source_.Path() + "/form.txt");
    EXPECT_EQ(shown, FromCp932(source_.Path() + "/form.txt"));
}

} // namespace
