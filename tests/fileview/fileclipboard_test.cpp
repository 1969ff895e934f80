#include "fileview/fileclipboard.h"
#include "fileview/fileviewstate.h"

#include "fileview/filelist.h"
#include "platform/codepage.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace {

using platform::Cp932;
using tamble::FileViewState;
using tamble::kClipboardCopied;
using tamble::kClipboardCut;

TEST(FileClipboard, CutAndCopyFillTheClipboardAndTheStatusLine) {
    FileViewState state;
    state.CurrentPath = "/w";
    EXPECT_EQ(state.StatusLine(), " / ");

    ASSERT_TRUE(
        tamble::ClipFiles(state.clipboard, state.CurrentPath, {"a.c", "b.h", "c"}, kClipboardCut));
    const auto in = [](const char* name) {
        return platform::JoinPath(platform::NativePathStyle(), "/w", name);
    };
    EXPECT_EQ(state.clipboard.ClipboardFiles,
              (std::vector<std::string>{in("a.c"), in("b.h"), in("c")}));
    EXPECT_EQ(state.clipboard.ClipboardMode, kClipboardCut);
    EXPECT_EQ(state.clipboard.ClipboardSourcePath, "/w");
    state.SelectStatusText = tamble::SelectStatusText(2);
    EXPECT_EQ(state.StatusLine(), Cp932("2 個のﾌｧｲﾙを選択 / 3 個のﾌｧｲﾙを切り取り"));

    // Nothing selected: the clipboard stays as it was.
    state.CurrentPath = "/elsewhere";
    EXPECT_FALSE(tamble::ClipFiles(state.clipboard, state.CurrentPath, {}, kClipboardCopied));
    EXPECT_EQ(state.clipboard.ClipboardFiles.size(), 3u);
    EXPECT_EQ(state.clipboard.ClipboardSourcePath, "/w");

    tamble::ClipFolder(state.clipboard, "/w/sub", kClipboardCopied);
    EXPECT_EQ(state.clipboard.ClipboardFiles, (std::vector<std::string>{"/w/sub"}));
    EXPECT_EQ(state.clipboard.ClipboardMode, kClipboardCopied);
    EXPECT_EQ(state.clipboard.ClipboardSourcePath, "/w/sub");
    EXPECT_EQ(state.StatusLine(), Cp932("2 個のﾌｧｲﾙを選択 / ﾌｫﾙﾀﾞをｺﾋﾟｰ"));

    const struct {
        int mode;
        bool folder;
        const char* text;
    } texts[] = {
        {kClipboardCut, true, "ﾌｫﾙﾀﾞを切り取り"},
        {kClipboardCopied, true, "ﾌｫﾙﾀﾞをｺﾋﾟｰ"},
        {kClipboardCut, false, "1 個のﾌｧｲﾙを切り取り"},
        {kClipboardCopied, false, "1 個のﾌｧｲﾙをｺﾋﾟｰ"},
    };
    for (const auto& t : texts) {
        if (t.folder) {
            tamble::ClipFolder(state.clipboard, "/w", t.mode);
        } else {
            ASSERT_TRUE(tamble::ClipFiles(state.clipboard, state.CurrentPath, {"x"}, t.mode));
        }
        EXPECT_EQ(state.clipboard.ClipboardStatusText, Cp932(t.text)) << t.text;
        EXPECT_EQ(state.clipboard.ClipboardMode, t.mode) << t.text;
    }
}

TEST(FileClipboard, PasteRenamesOnlyCopiesPastedWhereTheyCameFrom) {
    const struct {
        const char* name;
        int mode;
        const char* destination;
        bool move;
        bool renameOnCollision;
    } cases[] = {
        {"copies into their own folder", kClipboardCopied, "/w/Src", false, true},
        {"copies elsewhere", kClipboardCopied, "/w/dst", false, false},
        {"letter case counts", kClipboardCopied, "/w/src", false, false},
        {"cut paths never rename", kClipboardCut, "/w/Src", true, false},
    };
    for (const auto& c : cases) {
        FileViewState state;
        state.clipboard.ClipboardFiles = {"/w/Src/a"};
        state.clipboard.ClipboardSourcePath = "/w/Src";
        state.clipboard.ClipboardMode = c.mode;
        const tamble::PasteRequest request = tamble::PlanPaste(state.clipboard, c.destination);
        EXPECT_EQ(request.move, c.move) << c.name;
        EXPECT_EQ(request.renameOnCollision, c.renameOnCollision) << c.name;
    }
}

} // namespace
