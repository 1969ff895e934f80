#include "platform/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(PathNames, ReplaceExtension) {
    const struct {
        const char* name;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"tool.exe", ".ini", "tool.ini"},
        {"tamble", ".ini", "tamble.ini"},
        {".profile", ".ini", ".profile.ini"},
        {"my.tool.bin", ".ini", "my.tool.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ReplaceExtension(c.name, c.extension), c.expected) << c.name;
}

TEST(PathNames, BaseAndDirName) {
    EXPECT_EQ(platform::BaseName("/opt/tamble/tamble"), "tamble");
    EXPECT_EQ(platform::DirName("/opt/tamble/tamble"), "/opt/tamble");
    EXPECT_EQ(platform::DirName("/tamble"), "/");
    EXPECT_EQ(platform::DirName("tamble"), "");
    EXPECT_EQ(platform::BaseName("tamble"), "tamble");
}

} // namespace
