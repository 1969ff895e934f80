#include "platform/paths.h"

#include <gtest/gtest.h>

namespace {

using platform::PathStyle;
using Parts = std::vector<std::string>;

// "表" in CP932 ends in the byte of '\', which must not split a Windows path.
const std::string kTable = "\x95\x5C";

TEST(PathStyle, Components) {
    const struct {
        const char* name;
        PathStyle style;
        std::string path;
        Parts parts;
    } cases[] = {
        {"drive", PathStyle::Windows, "D:", {"D:"}},
        {"drive with separator", PathStyle::Windows, "D:\\", {"D:"}},
        {"doubled and trailing", PathStyle::Windows, "D:\\Tools\\\\x\\", {"D:", "Tools", "x"}},
        {"double-byte name", PathStyle::Windows, "D:\\" + kTable + "\\a", {"D:", kTable, "a"}},
        {"empty", PathStyle::Windows, "", {}},
        {"root", PathStyle::Posix, "/", {"/"}},
        {"doubled root", PathStyle::Posix, "//usr//lib/", {"/", "usr", "lib"}},
        {"relative", PathStyle::Posix, "a/b", {"a", "b"}},
        {"backslash is a name", PathStyle::Posix, "/a\\b", {"/", "a\\b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::PathComponents(c.style, c.path), c.parts) << c.name;
}

TEST(PathStyle, JoinAndParent) {
    const struct {
        PathStyle style;
        const char* folder;
        const char* name;
        const char* joined;
        const char* parentOfFolder;
    } cases[] = {
        {PathStyle::Windows, "D:", "a", "D:\\a", "D:"},
        {PathStyle::Windows, "D:\\a", "b", "D:\\a\\b", "D:"},
        {PathStyle::Windows, "D:\\a\\b", "c", "D:\\a\\b\\c", "D:\\a"},
        {PathStyle::Posix, "/", "a", "/a", "/"},
        {PathStyle::Posix, "/a", "b", "/a/b", "/"},
        {PathStyle::Posix, "/a/b", "c", "/a/b/c", "/a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::JoinPath(c.style, c.folder, c.name), c.joined) << c.folder;
        EXPECT_EQ(platform::ParentPath(c.style, c.folder), c.parentOfFolder) << c.folder;
    }
    EXPECT_EQ(platform::ParentPath(PathStyle::Windows, "D:\\" + kTable + "\\x"), "D:\\" + kTable);
}

} // namespace
