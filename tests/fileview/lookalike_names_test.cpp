// Names that look alike, or that the system's code-page converter used to
// turn into one another or into nothing, side by side in one folder: every
// command of the file page must act on exactly the entry shown and leave
// its neighbour alone.
#include "platform/codepage.h"
#include "platform/programstart.h"
#include "tests/common/controlof.h"
#include "tests/fileview/filemenuswindowtest.h"
#include "widgets/qtext.h"

#include <QAction>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Pairs of names (UTF-8) that once converted to the same text or to nothing.
const struct LookAlike {
    const char* what;
    std::string name;
    std::string neighbour;
} kLookAlikes[] = {
    {"not sign", "¬.txt", "￢.txt"},
    {"yen sign", "¥.txt", "\\.txt"},
    {"overline", "‾", "~"},
    {"em dash", "—", "―"},
    {"a tag character alone", "\xF3\xA0\x81\x81", "A"},        // U+E0041 next to "A"
    {"invalid UTF-8", "a\xFF.txt", "a\xEF\xBF\xBD.txt"},       // 0xFF next to U+FFFD
    {"IBM extension", "\xE9\xAB\x99.txt", "\xE9\xAB\x98.txt"}, // 髙 next to 高
};

// A folder whose name is one tag character (U+E0020).
const std::string kTagFolder = "\xF3\xA0\x80\xA0";

class LookAlikeNames : public FileMenusWindowTest {
protected:
    void SetUp() override {
        fs::create_directories(disk_.File("work/" + kTagFolder));
        disk_.Write("work/" + kTagFolder + "/inside.txt", "inside");
        for (const LookAlike& pair : kLookAlikes) {
            disk_.Write("work/" + pair.name, pair.name);
            disk_.Write("work/" + pair.neighbour, pair.neighbour);
        }
        // What was opened: the editor's parameter, or the program itself.
        platform::SetProgramStarter([this](const platform::ProgramStart& start) {
            opened_.push_back(platform::Cp932ToUtf8(start.parameters.value_or(start.program)));
        });
        window_ = CreateWindowWithMenus();
        menus_ = &page_->Menus();
        window_->Options().UseEditor = "editor";
        GoTo("work");
    }
    void TearDown() override { platform::SetProgramStarter({}); }

    // The listed names, as the file system spells them.
    Strings ListedNames() const {
        const QTreeView& list = *ControlOf<QTreeView>(*window_, "ListViewFile");
        Strings names;
        for (int row = 0; row < list.model()->rowCount(); ++row)
            names.push_back(platform::Cp932ToUtf8(platform::ToCp932(ViewText(list, row))));
        return names;
    }
    // Selects the one row that shows name.
    void SelectRow(const std::string& name) {
        const Strings names = ListedNames();
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        SelectRows({static_cast<int>(at - names.begin())});
    }
    // The content of work/name, "(missing)" when there is no such file.
    std::string Content(const std::string& name) const {
        return fs::is_regular_file(disk_.File("work/" + name)) ? disk_.Read("work/" + name)
                                                               : "(missing)";
    }

    tamble::FileContextMenus* menus_ = nullptr;
    Strings opened_;
};

TEST_F(LookAlikeNames, EveryNameIsListedAsItself) {
    Strings expected;
    for (const LookAlike& pair : kLookAlikes) {
        expected.push_back(pair.name);
        expected.push_back(pair.neighbour);
    }
    Strings listed = ListedNames();
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected);

    // The tag-character folder is a folder of the tree that lists its own file.
    QTreeWidgetItem* work = Selected();
    ASSERT_NE(work, nullptr);
    work->setExpanded(true);
    bool found = false;
    for (int i = 0; i < work->childCount(); ++i) {
        QTreeWidgetItem* child = work->child(i);
        if (platform::Cp932ToUtf8(platform::ToCp932(child->text(0))) != kTagFolder) continue;
        found = true;
        ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->setCurrentItem(child);
        page_->UpdateFileList();
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(ListedNames(), Strings{"inside.txt"});
    EXPECT_EQ(page_->State().CurrentPath, platform::Utf8ToCp932(disk_.File("work/" + kTagFolder)));
}

TEST_F(LookAlikeNames, OpenRenameAndDeleteActOnTheShownFileOnly) {
    for (const LookAlike& pair : kLookAlikes) {
        SCOPED_TRACE(pair.what);
        // Opening, in the editor and by the desktop, opens this very file.
        opened_.clear();
        SelectRow(pair.name);
        menus_->N18->trigger();
        menus_->O1->trigger();
        EXPECT_EQ(opened_, Strings(2, disk_.File("work/" + pair.name)));

        // Renaming takes this file's name away and leaves the neighbour.
        SelectRow(pair.name);
        prompts_.inputAnswers = {platform::Utf8ToCp932("renamed " + pair.name)};
        menus_->R3->trigger();
        EXPECT_EQ(Content("renamed " + pair.name), pair.name);
        EXPECT_EQ(Content(pair.name), "(missing)");
        EXPECT_EQ(Content(pair.neighbour), pair.neighbour);

        // Deleting for good removes the renamed file and nothing else.
        SelectRow("renamed " + pair.name);
        prompts_.yesNoAnswers = {true};
        menus_->E1->trigger();
        EXPECT_EQ(Content("renamed " + pair.name), "(missing)");
        EXPECT_EQ(Content(pair.neighbour), pair.neighbour);

        // The neighbour goes to the trash as itself.
        SelectRow(pair.neighbour);
        menus_->N14->trigger();
        EXPECT_EQ(Content(pair.neighbour), "(missing)");
        EXPECT_EQ(settings_.Read("trash/files/" + pair.neighbour), pair.neighbour);
    }
    EXPECT_EQ(disk_.Read("work/" + kTagFolder + "/inside.txt"), "inside");
}

} // namespace
