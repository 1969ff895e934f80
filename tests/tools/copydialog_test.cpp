#include "tools/tfrmcopyfiles.h"

#include "platform/codepage.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::FromCp932;
using platform::Utf8ToCp932;
using tamble::TfrmCopyFiles;

// Records what a widget showed each time it was painted.
class PaintLog : public QObject {
public:
    PaintLog(QWidget* widget, std::function<QString()> shown) : shown_(std::move(shown)) {
        widget->installEventFilter(this);
    }
    std::vector<QString> painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // A state painted twice in a row (a flush of the whole window) counts once.
        if (event->type() == QEvent::Paint && (painted.empty() || painted.back() != shown_()))
            painted.push_back(shown_());
        return false;
    }

private:
    std::function<QString()> shown_;
};

// A clock for the dialog's progress pacing that moves by step on each read.
struct SteppingClock {
    std::chrono::steady_clock::time_point now{};
    std::chrono::milliseconds step{0};
    tamble::FramePacer::Clock Reader() {
        return [this] { return now += step; };
    }
};

class CopyDialog : public ::testing::Test {
protected:
    void SetUp() override {
        currentPath_ = source_.Path();
        tools_.DuplicateFilePath = source_.Write("form.txt", "body");
        shell_.prompts = &prompts_;
    }

    std::unique_ptr<TfrmCopyFiles> Open(tamble::FramePacer::Clock now = {}) {
        auto dialog =
            std::make_unique<TfrmCopyFiles>(nullptr, currentPath_, tools_, shell_, std::move(now));
        dialog->EditToFolder->setText(FromCp932(out_.Path()));
        return dialog;
    }

    TempFolder source_;
    TempFolder out_;
    std::string currentPath_; // the file view's folder
    tamble::ToolState tools_;
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
    EXPECT_EQ(prompts_.asked[0].text, currentPath_);
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
    EXPECT_EQ(dialog->EditFromFile->text(), FromCp932(tools_.DuplicateFilePath));
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 100);
    dialog->EditFileList->setText(FromCp932(source_.Write("list.txt", "a\nmissing/b\nc\n")));
    dialog->CheckBoxExtKeep->setChecked(true);
    dialog->Button1->click();
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].kind, "Message");
    // The list's own "/" stays as written; Windows takes it as a separator too.
    EXPECT_EQ(prompts_.asked[0].text, out_.File("") + "missing/b.txt");
    EXPECT_EQ(prompts_.asked[0].title, tools_.DuplicateFilePath);
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

// Writes a list of count names n0, n1, ... and returns them.
std::vector<std::string> WriteNames(TempFolder& folder, int count, std::string& listPath) {
    std::vector<std::string> names;
    std::string text;
    for (int i = 0; i < count; ++i) {
        names.push_back("n" + std::to_string(i));
        text += names.back() + "\n";
    }
    listPath = folder.Write("names.txt", text);
    return names;
}

TEST_F(CopyDialog, AFastRunPaintsItsProgressAtMostOncePerFrameAndEndsComplete) {
    SteppingClock clock; // standing still: every copy within one frame
    auto dialog = Open(clock.Reader());
    dialog->show();
    QApplication::processEvents();
    std::string list;
    WriteNames(source_, 200, list);
    dialog->EditFileList->setText(FromCp932(list));
    PaintLog label(dialog->Label3, [&] { return dialog->Label3->text(); });
    PaintLog bar(dialog->ProgressBar1,
                 [&] { return QString::number(dialog->ProgressBar1->value()); });
    dialog->Button1->click();
    // One painted step within the frame (the first), not one per copy.
    EXPECT_LE(label.painted.size(), 1u);
    EXPECT_LE(bar.painted.size(), 3u); // the new range, the first step, the end
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 200);
    EXPECT_EQ(dialog->ProgressBar1->value(), 200);
    EXPECT_EQ(dialog->Label3->text(), QStringLiteral("作成が終了しました"));
    QApplication::processEvents();
    ASSERT_FALSE(label.painted.empty());
    EXPECT_EQ(label.painted.back(), QStringLiteral("作成が終了しました"));
    EXPECT_EQ(bar.painted.back(), QStringLiteral("200"));
    EXPECT_EQ(out_.Read("n199"), "body");
}

TEST_F(CopyDialog, ASlowRunPaintsEveryTargetName) {
    SteppingClock clock;
    clock.step = std::chrono::milliseconds(20); // every copy longer than a frame
    auto dialog = Open(clock.Reader());
    dialog->show();
    QApplication::processEvents();
    std::string list;
    const std::vector<std::string> names = WriteNames(source_, 5, list);
    dialog->EditFileList->setText(FromCp932(list));
    PaintLog label(dialog->Label3, [&] { return dialog->Label3->text(); });
    PaintLog bar(dialog->ProgressBar1,
                 [&] { return QString::number(dialog->ProgressBar1->value()); });
    dialog->Button1->click();
    std::vector<QString> expected;
    for (const std::string& name : names)
        expected.push_back(FromCp932(out_.File(name)));
    EXPECT_EQ(label.painted, expected);
    EXPECT_EQ(bar.painted, (std::vector<QString>{"1", "2", "3", "4", "5"}));
}

TEST_F(CopyDialog, TheStateBeforeAFailureIsShownUnderItsMessage) {
    struct WatchingPrompts : platform::ScriptedPrompts {
        QLabel* label = nullptr;
        QString underBox;
        void Message(const std::string& text, const std::string& title,
                     platform::PromptIcon icon) override {
            underBox = label->text();
            ScriptedPrompts::Message(text, title, icon);
        }
    } watching;
    shell_.prompts = &watching;
    SteppingClock clock; // standing still
    auto dialog = Open(clock.Reader());
    watching.label = dialog->Label3;
    dialog->EditFileList->setText(FromCp932(source_.Write("list.txt", "a\nb\nmissing/c\n")));
    dialog->Button1->click();
    EXPECT_EQ(watching.underBox, FromCp932(out_.File("b")));
}

TEST_F(CopyDialog, EntryFunction) {
    tools_.DuplicateFilePath.clear();
    tamble::ShowCopyFiles(nullptr, currentPath_, tools_, std::nullopt, shell_);
    EXPECT_TRUE(tools_.DuplicateFilePath.empty());

    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* dialog = qobject_cast<TfrmCopyFiles*>(QApplication::activeModalWidget())) {
            shown = dialog->EditFromFile->text();
            dialog->Button2->click();
        }
    });
    tamble::ShowCopyFiles(nullptr, currentPath_, tools_, std::string("form.txt"), shell_);
    EXPECT_EQ(tools_.DuplicateFilePath, source_.File("form.txt"));
    EXPECT_EQ(shown, FromCp932(source_.File("form.txt")));
}

} // namespace
