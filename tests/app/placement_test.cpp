#include "app/placement.h"
#include "core/errortext.h"
#include "core/programchooser.h"
#include "fileview/fileviewlayout.h"
#include "tests/common/scriptedprompts.h"

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

TEST(Placement, WiderKeepCaptionTakesRoomFromTheNarrowingBox) {
    const struct {
        const char* name;
        int keepWidth;
        tamble::FileViewLayout expected;
    } cases[] = {
        {"fits its 45 pixels", 40, {257, 222, 172, 212, 45}},
        {"exactly 45", 45, {257, 222, 172, 212, 45}},
        {"8 pixels wider", 53, {257, 222, 164, 204, 53}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const tamble::FileViewLayout l = tamble::ComputeFileViewLayout(257, c.keepWidth);
        EXPECT_EQ(l.pathAddressWidth, c.expected.pathAddressWidth);
        EXPECT_EQ(l.filterWidth, c.expected.filterWidth);
        EXPECT_EQ(l.narrowWidth, c.expected.narrowWidth);
        EXPECT_EQ(l.narrowKeepLeft, c.expected.narrowKeepLeft);
        EXPECT_EQ(l.narrowKeepWidth, c.expected.narrowKeepWidth);
        // "keep" ends at the strip's edge, 6 pixels after the narrowing box (left 34).
        EXPECT_EQ(l.narrowKeepLeft + l.narrowKeepWidth, 257);
        EXPECT_EQ(l.narrowKeepLeft - (34 + l.narrowWidth), 6);
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

TEST(Placement, FirstStartFitsTheWorkArea) {
    const ScreenRect panelOnTop{0, 30, 1920, 1080};
    const struct {
        const char* name;
        ScreenRect window;
        ScreenRect area;
        ScreenRect expected;
    } cases[] = {
        // The default: from the area's top, as high as its bottom coordinate.
        {"default below a top panel", {0, 30, 200, 1110}, panelOnTop, {0, 30, 200, 1080}},
        {"default with the panel below", {0, 0, 200, 1040}, {0, 0, 1920, 1040}, {0, 0, 200, 1040}},
        {"fits already", {100, 100, 373, 637}, panelOnTop, {100, 100, 373, 637}},
        {"off the right edge", {1800, 100, 2073, 637}, panelOnTop, {1647, 100, 1920, 637}},
        {"wider and taller than the area", {-50, -50, 3000, 2000}, panelOnTop, panelOnTop},
        {"no area known", {0, 0, 200, 1080}, {0, 0, 0, 0}, {0, 0, 200, 1080}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tamble::FitInside(c.window, c.area), c.expected);
    }
}

TEST(Placement, ClientSizeLeavesRoomForTheFrame) {
    const ScreenRect window{0, 30, 200, 1080};
    const tamble::ClientSize framed = tamble::ClientSizeFor(window, {4, 24, 4, 4});
    EXPECT_EQ(framed.width, 192);
    EXPECT_EQ(framed.height, 1022);
    const tamble::ClientSize bare = tamble::ClientSizeFor(window, {});
    EXPECT_EQ(bare.width, 200);
    EXPECT_EQ(bare.height, 1050);
    const tamble::ClientSize tiny = tamble::ClientSizeFor({0, 0, 10, 10}, {20, 20, 20, 20});
    EXPECT_EQ(tiny.width, 1);
    EXPECT_EQ(tiny.height, 1);
}

} // namespace
