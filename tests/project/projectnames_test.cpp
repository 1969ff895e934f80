#include "project/projectnames.h"
#include "project/projecttree.h" // category numbers

#include <gtest/gtest.h>

#include <string>

namespace {

// "ソ" and "表" in CP932: their second byte is 0x5C, a backslash.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";

TEST(ProjectNames, CategoryByExtension) {
    const struct {
        std::string path;
        int category;
    } cases[] = {
        {"D:\\src\\Main.CPP", tamble::kSourceFiles},
        {"D:\\src\\a.c", tamble::kSourceFiles},
        {"/home/u/a.C", tamble::kSourceFiles},
        {"D:\\src\\a.h", tamble::kHeaderFiles},
        {"main.hpp", tamble::kOtherFiles},
        {"x.cxx", tamble::kOtherFiles},
        {"x.rc", tamble::kOtherFiles},
        {"D:\\src\\Makefile", tamble::kOtherFiles},
        {"D:\\x.dir\\readme", tamble::kOtherFiles},
        {"/home/x.dir/readme", tamble::kOtherFiles},
        {"C:x.c", tamble::kSourceFiles},
        {"a.c.txt", tamble::kOtherFiles},
        {"a.txt.h", tamble::kHeaderFiles},
        {"a.", tamble::kOtherFiles},
        {"", tamble::kOtherFiles},
        // The trail byte 0x5C is not a delimiter, so the dot still counts.
        {"D:\\x.d" + kSo + ".c", tamble::kSourceFiles},
        {"D:\\" + kHyo + ".h", tamble::kHeaderFiles},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::CategoryOf(c.path), c.category) << c.path;
}

TEST(ProjectNames, DisplayNameByMode) {
    const struct {
        std::string text;
        std::string shortName;
    } cases[] = {
        {"D:\\src\\main.c", "main.c"},
#ifdef _WIN32
        // '/' delimits names on POSIX only.
        {"/home/u/my file.txt", "/home/u/my file.txt"},
#else
        {"/home/u/my file.txt", "my file.txt"},
#endif
        {"a\\b", "b"},
        {"C:readme", "readme"},
        {"Demo", "Demo"},
        {"Source Files", "Source Files"},
        {"dir\\", ""},
        {"", ""},
        {"D:\\" + kHyo + kSo, kHyo + kSo},
        {kSo + "x", kSo + "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamble::DisplayName(c.text, true), c.shortName) << c.text;
        EXPECT_EQ(tamble::DisplayName(c.text, false), c.text) << c.text;
    }
}

} // namespace
