#include "fileview/filelist.h"
#include "fileview/nameorder.h"
#include "platform/codepage.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Strings = std::vector<std::string>;

Strings Names(const tamble::FileRows& rows) {
    Strings names;
    for (size_t i = 0; i < rows.Size(); ++i)
        names.push_back(rows.Name(i));
    return names;
}

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
            if (narrowing.Passes(name.c_str())) kept.push_back(name);
        EXPECT_EQ(kept, c.kept) << "\"" << c.text << "\"";
    }
    // Many stars against a long name must not blow up.
    const tamble::Narrowing stars("*a*a*a*a*a*a*a*a*a*a*a*a*b");
    EXPECT_FALSE(stars.Passes(std::string(2000, 'a').c_str()));
}

TEST(FileList, ATextNarrowsFurtherOnlyWhenItCanKeepNoNewName) {
    const struct {
        const char* before;
        const char* after;
        bool further;
    } cases[] = {
        {"", "a", true},        {"", ";ab", true},      {"ab", "abc", true},
        {"ab", "ab*c?", true},  {"ab", "ab", true},     {"abc", "ab", false},
        {"ab", "abc;d", false}, {"ab;", "ab;c", false}, {"ab;c", "ab;cd", true},
        {"ab", "xab", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::NarrowsFurther(c.before, c.after), c.further)
            << "\"" << c.before << "\" -> \"" << c.after << "\"";
    EXPECT_FALSE(tamble::NarrowsFurther("", std::string(300, 'a')));
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
    const auto sorted = [&](const char* filter, const char* narrow) {
        tamble::FileRows rows = tamble::ReadFileRows(folder.Path(), filter, narrow);
        rows.SortByName();
        return Names(rows);
    };
    EXPECT_EQ(sorted("*.*", ""), (Strings{"A.c", "a.h", "abc.c", "b.c", "C.txt"}));
    EXPECT_EQ(sorted("*.*;*.c", "a"), (Strings{"A.c", "A.c", "a.h", "abc.c", "abc.c"}));
    const tamble::FileRows rows = tamble::ReadFileRows(folder.Path(), "b.c", "");
    ASSERT_EQ(rows.Size(), 1u);
    // Given by the listing where the system's gives it, else asked for later.
    EXPECT_TRUE(rows.FileSize(0) == 2u || rows.FileSize(0) == tamble::kUnknownSize);
    EXPECT_EQ(tamble::ReadFileRows(folder.Path(), "", "").Size(), 0u);
    EXPECT_EQ(tamble::ReadFileRows(folder.File("gone"), "*.*", "").Size(), 0u);
}

TEST(FileList, RowsKeepNamesWithEveryByteApartAndInOrder) {
    // Letters fold for the order only; double-byte characters whose trail
    // byte is a letter ("\x83\x41") do not fold; names share one buffer.
    tamble::FileRows rows;
    for (const char* name : {"b", "\x83\x61", "B", "\x83\x41", "a b", "-x", ""})
        ASSERT_TRUE(rows.Add(name, 1));
    rows.SortByName();
    EXPECT_EQ(Names(rows), (Strings{"", "-x", "a b", "B", "b", "\x83\x41", "\x83\x61"}));
    EXPECT_EQ(rows.NameView(3), "B");
    EXPECT_EQ(rows.Icon(0), tamble::kNoIcon);
}

TEST(FileList, RowsSortAsNameLessOrdersThemWhateverTheirCommonPrefixes) {
    // Names sharing long prefixes, differing in case only, or repeated,
    // sorted eight bytes at a time, must come out as one comparison orders them.
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {
        "a", "A", "b", "B", "_", "\x83\x41", "\x83\x61", "file0000", "FILE0000", "0", "~"};
    tamble::FileRows rows;
    Strings expected;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        for (size_t k = random() % 8; k > 0; --k)
            name += pieces[random() % pieces.size()];
        rows.Add(name, 0);
        expected.push_back(name);
    }
    rows.SortByName();
    std::sort(expected.begin(), expected.end(), tamble::NameLess);
    EXPECT_EQ(Names(rows), expected);
}

TEST(FileList, NarrowingKeepsRowIndexesOfAllRowsOrOfTheCandidates) {
    tamble::FileRows rows;
    for (const char* name : {"ab.c", "abc.c", "b.c", "ABD.h"})
        rows.Add(name, 0);
    const tamble::Narrowing ab("ab");
    EXPECT_EQ(tamble::NarrowRows(rows, ab), (std::vector<uint32_t>{0, 1, 3}));
    const std::vector<uint32_t> candidates{1, 2};
    EXPECT_EQ(tamble::NarrowRows(rows, ab, &candidates), (std::vector<uint32_t>{1}));
}

TEST(FileList, IconsCachedByExtensionExceptPerFileMasks) {
    std::vector<std::string> cache = {".txt"};
    tamble::FileRows rows;
    for (const char* name : {"a.TXT", "b.exe", "c.c", "d.C", "e.exe", "Makefile", "f.c", "g.lnk"})
        rows.Add(name, 0);
    const tamble::IconLookups lookups = tamble::PlanFileIcons(rows, cache, "*.exe;*.lnk");
    const std::vector<int32_t> expected = {
        0, tamble::PerFileIcon(0), 1, 1, tamble::PerFileIcon(1), 2, 1, tamble::PerFileIcon(2)};
    for (size_t i = 0; i < rows.Size(); ++i)
        EXPECT_EQ(rows.Icon(i), expected[i]) << rows.Name(i);
    EXPECT_EQ(lookups.newEntries, (Strings{"c.c", "Makefile"}));
    EXPECT_EQ(lookups.perFile, (Strings{"b.exe", "e.exe", "g.lnk"}));
    EXPECT_EQ(cache, (Strings{".txt", ".c", ""}));
}

TEST(FileList, SelectionStatus) {
    EXPECT_EQ(tamble::SelectStatusText(0), "");
    EXPECT_EQ(platform::Cp932ToUtf8(tamble::SelectStatusText(3)), "3 個のﾌｧｲﾙを選択");
}

} // namespace
