#include "errortext.h"
#include "placement.h"
#include "programchooser.h"
#include "scriptedprompts.h"

#include <gtest/gtest.h>

namespace {

using tamble::ScreenRect;

TEST(Placement, FileViewLayoutRule) {
    constexpr tamble::FileViewLayout layout = tamble::ComputeFileViewLayout(257);
    static_assert(layout.pathAddressWidth == 257 && layout.filterWidth == 222 &&
                  layout.narrowWidth == 172 && layout.narrowKeepLeft == 212);
    // cmbFilter (left 34) ends 1 pixel, edtNarrow (left 34) 51 pixels short of the strip's edge.
    for (int width : {200, 257, 1000}) {
        const auto l = tamble::ComputeFileViewLayout(width);
        EXPECT_EQ(width - (34 + l.filterWidth), 1);
        EXPECT_EQ(width - (34 + l.narrowWidth), 51);
    }
}

TEST(Placement, KeepOnScreen) {
    const ScreenRect left{0, 0, 1920, 1080};
    const ScreenRect right{1920, 0, 3200, 1024};
    const ScreenRect workArea{0, 30, 1920, 1080};
    const struct {
        const char* name;
        ScreenRect window;
        ScreenRect expected;
    } cases[] = {
        {"inside", {100, 100, 373, 637}, {100, 100, 373, 637}},
        {"on the second screen", {2000, 10, 2273, 547}, {2000, 10, 2273, 547}},
        {"partly off the left edge", {-200, 50, 73, 587}, {-200, 50, 73, 587}},
        {"on a screen that is gone", {4000, 100, 4273, 637}, {0, 30, 273, 567}},
        {"far above", {100, -2000, 373, -1463}, {0, 30, 273, 567}},
        {"only a sliver visible", {1900, 1070, 2173, 1607}, {0, 30, 273, 567}},
        {"in the gap below the smaller screen", {2000, 1030, 2273, 1567}, {0, 30, 273, 567}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamble::KeepOnScreen(c.window, {left, right}, workArea), c.expected) << c.name;
    }
}

TEST(ErrorText, DotAfterMessagesThatEndAfterDot) {
    EXPECT_EQ(tamble::ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(tamble::ErrorBoxText("Disk full."), "Disk full.");
    EXPECT_EQ(tamble::ErrorBoxText("Disk full!"), "Disk full!"); // "!" sorts before "."
    EXPECT_EQ(tamble::ErrorBoxText("\x83\x47\x83\x89\x81\x5B"), "\x83\x47\x83\x89\x81\x5B.");
    EXPECT_EQ(tamble::ErrorBoxText(""), "");
}

TEST(ProgramChooser, ChosenPathAndRememberedFolder) {
    platform::ScriptedPrompts prompts;
    prompts.fileAnswers = {std::string("/usr/bin/\x95\x5C.sh"), std::nullopt, std::string()};
    std::string folder = "/start";
    EXPECT_EQ(tamble::ChooseProgram(prompts, false, &folder), "/usr/bin/\x95\x5C.sh");
    EXPECT_EQ(prompts.asked.at(0).fileBox.initialFolder, "/start");
    EXPECT_EQ(folder, "/usr/bin"); // the 0x5C inside the kanji is no separator
    EXPECT_EQ(tamble::ChooseProgram(prompts, false, &folder), std::nullopt); // cancelled
    EXPECT_EQ(tamble::ChooseProgram(prompts, false, &folder), std::nullopt); // empty name
    EXPECT_EQ(prompts.asked.at(1).fileBox.initialFolder, "/usr/bin");
    EXPECT_EQ(folder, "/usr/bin");
    const auto box = tamble::ProgramFileBox(true, "");
    ASSERT_FALSE(box.filters.empty());
    EXPECT_EQ(box.filters.back().pattern, "*.exe");
}

} // namespace
