#include "fileview/filelist.h"
#include "platform/codepage.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

namespace {

using tamble::IconSource;
using Strings = std::vector<std::string>;

TEST(FileList, Narrowing) {
    const Strings names = {"abc.c", "ABX.h", "cde.txt", "xab.c", "Makefile", ""};
    const struct {
        const char* text;
        Strings kept;
    } cases[] = {
        {"", names},
        {"ab", {"abc.c", "ABX.h"}},
        {"ab;cd", {"abc.c", "ABX.h", "cde.txt"}},
        {"ab;", {"abc.c", "ABX.h"}},
        {";ab", names},
        {"*ab", {"abc.c", "ABX.h", "xab.c"}},
        {"*.c", {"abc.c", "xab.c"}},
        {"?b", {"abc.c", "ABX.h"}},
        {"zz;;ma", {"Makefile"}},
    };
    for (const auto& c : cases) {
        const tamble::Narrowing narrowing(c.text);
        Strings kept;
        for (const auto& name : names)
            if (narrowing.Passes(name)) kept.push_back(name);
        EXPECT_EQ(kept, c.kept) << "\"" << c.text << "\"";
    }
    // Many stars against a long name must not blow up.
    const tamble::Narrowing stars("*a*a*a*a*a*a*a*a*a*a*a*a*b");
    EXPECT_FALSE(stars.Passes(std::string(2000, 'a')));
}

TEST(FileList, SizeTextAndExtension) {
    const struct {
        uint64_t size;
        const char* text;
    } sizes[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {1234567, "1,234,567"},
                 {4294967296ull, "4,294,967,296"},
                 {18446744073709551615ull, "18,446,744,073,709,551,615"}};
    for (const auto& s : sizes)
        EXPECT_EQ(tamble::FileSizeText(s.size), s.text);
    EXPECT_EQ(tamble::FileExtension("a.tar.gz"), ".gz");
    EXPECT_EQ(tamble::FileExtension("Makefile"), "");
    EXPECT_EQ(tamble::FileExtension(".profile"), ".profile");
}

TEST(FileList, RowsSortedByNameWithDuplicatesTogether) {
    TempFolder folder;
    for (const char* name : {"b.c", "A.c", "a.h", "C.txt", "abc.c"})
        folder.Write(name, "xy");
    const auto names = [](const std::vector<tamble::FileRow>& rows) {
        Strings out;
        for (const auto& row : rows)
            out.push_back(row.name);
        return out;
    };
    EXPECT_EQ(names(tamble::ListFileRows(folder.Path(), "*.*", "")),
              (Strings{"A.c", "a.h", "abc.c", "b.c", "C.txt"}));
    EXPECT_EQ(names(tamble::ListFileRows(folder.Path(), "*.*;*.c", "a")),
              (Strings{"A.c", "A.c", "a.h", "abc.c", "abc.c"}));
    const auto rows = tamble::ListFileRows(folder.Path(), "b.c", "");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size, 2u);
    EXPECT_TRUE(tamble::ListFileRows(folder.Path(), "", "").empty());
}

TEST(FileList, IconsCachedByExtensionExceptPerFileMasks) {
    std::vector<std::string> cache = {".txt"};
    const std::vector<tamble::FileRow> rows = {{"a.TXT", 0}, {"b.exe", 0}, {"c.c", 0},
                                               {"d.C", 0},   {"e.exe", 0}, {"Makefile", 0},
                                               {"f.c", 0},   {"g.lnk", 0}};
    const auto steps = tamble::PlanFileIcons(rows, cache, "*.exe;*.lnk");
    const struct {
        IconSource source;
        int index;
    } expected[] = {{IconSource::Cached, 0}, {IconSource::PerFile, -1}, {IconSource::NewEntry, 1},
                    {IconSource::Cached, 1}, {IconSource::PerFile, -1}, {IconSource::NewEntry, 2},
                    {IconSource::Cached, 1}, {IconSource::PerFile, -1}};
    ASSERT_EQ(steps.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(steps[i].source, expected[i].source) << rows[i].name;
        EXPECT_EQ(steps[i].cacheIndex, expected[i].index) << rows[i].name;
    }
    EXPECT_EQ(cache, (Strings{".txt", ".c", ""}));
}

TEST(FileList, SelectionStatus) {
    EXPECT_EQ(tamble::SelectStatusText(0), "");
    EXPECT_EQ(platform::Cp932ToUtf8(tamble::SelectStatusText(3)), "3 個のﾌｧｲﾙを選択");
}

} // namespace
