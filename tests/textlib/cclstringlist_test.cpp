// String lists: splitting, loading with flags, saving, sorting.
#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"
#include "textlib/cclstringlist.h"
#include "textlib/sortarray.h"
#include "textlib/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const CCLStringListBase& list) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < list.Count(); ++i)
        lines.push_back(list.Text(i) ? list.Text(i) : "");
    return lines;
}

using V = std::vector<std::string>;

TEST(StringList, SetTextSplitsAtLineBreaks) {
    struct Row {
        const char* text;
        V expected;
    };
    const Row rows[] = {
        {"a\nb", {"a", "b"}},           {"a\n", {"a", ""}},           {"", {""}},
        {"a\r\nb", {"a\r", "b"}},       {"\x95\\\n", {"\x95\\", ""}}, // 0x95 0x5C is one character
        {"\x95\n\n", {"\x95", "", ""}}, // a line break is never a second byte
        {"\x95\r\n", {"\x95\r", ""}},   // nor is a CR
    };
    for (const Row& r : rows) {
        CCLStringListBase list;
        EXPECT_EQ(list.SetText(r.text), 0);
        EXPECT_EQ(Lines(list), r.expected) << r.text;
    }
    CCLStringListBase list;
    EXPECT_EQ(list.SetText(nullptr), 1);
    EXPECT_EQ(list.Count(), 0);
}

// A lead byte at the end of a line (a stray one, or the last byte of a UTF-8
// character such as "あ", E3 81 82) must not take the line break along.
TEST(StringList, LeadByteAtALineEndKeepsTheLineBreak) {
    const std::string a = "\xE3\x81\x82", i = "\xE3\x81\x84"; // "あ", "い" in UTF-8
    struct Row {
        const char* name;
        std::string bytes;
        uint32_t flags;
        V expected;
    };
    const Row rows[] = {
        {"UTF-8 list, CR LF", a + "\r\n" + i + "\r\n", 0, {a, i, ""}},
        {"UTF-8 list, LF", a + "\n" + i, 0, {a, i}},
        {"copy-list flags", a + "\r\n" + i + "\r\n", 0x5D800000, {a, i}},
        {"lowest lead byte", "x\x81\r\ny", 0, {"x\x81", "y"}},
        {"highest lead byte", "x\xF5\ny", 0, {"x\xF5", "y"}},
        {"lead byte before CR CR LF", "x\x9F\r\r\ny", 0, {"x\x9F\r", "y"}},
        {"last line ends in a lead byte", "x\n\xE0", 0, {"x", "\xE0"}},
    };
    TempFolder dir;
    for (const Row& r : rows) {
        CCLStringList list;
        testing::internal::CaptureStdout();
        list.LoadFromFile(dir.Write("list.txt", r.bytes).c_str(), r.flags | CCLSL_RELOAD);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(Lines(list), r.expected) << r.name;
    }
}

TEST(StringList, LongLinesAreCutAtTheScratch) {
    CCLStringListBase list;
    list.SetText((std::string(5000, 'x') + "\nshort").c_str());
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items.Item(0)->text.Length(), textlib::kLineScratch - 1);
    EXPECT_STREQ(list.Text(1), "short");
    list.AddFormat("%s", std::string(5000, 'y').c_str());
    EXPECT_EQ(list.Items.Item(2)->text.Length(), textlib::kLineScratch - 1);
}

TEST(StringList, EditingByIndex) {
    CCLStringListBase list;
    list.Add("b");
    list.Insert(0, "a");
    list.Insert(99, "d");
    list.InsertFormat(2, "%s%d", "c", 3);
    EXPECT_EQ(Lines(list), (V{"a", "b", "c3", "d"}));
    list.Cat(1, "!");
    EXPECT_EQ(list.Cat(9, "!"), nullptr);
    EXPECT_EQ(list.Delete(0), 1);
    EXPECT_EQ(list.Delete(42), 1);
    EXPECT_EQ(Lines(list), (V{"b!", "c3", "d"}));
    char* text = list.GetText();
    EXPECT_STREQ(text, "b!\nc3\nd");
    delete[] text;
    EXPECT_EQ(list.Items.Item(-1)->text.Text(), nullptr); // a bad index neither hangs nor crashes
    list.Clear();
    EXPECT_EQ(list.GetText(), nullptr);
}

TEST(StringList, LoadFlagsTable) {
    struct Row {
        const char* name;
        const char* text;
        uint32_t flags;
        V expected;
    };
    const Row rows[] = {
        {"copy tool flags",
         "x // note\n/* block */ z \"a // b\"\n\n  w  ",
         0x5D800000,
         {"x", " z \"a // b\"", "  w"}},
        {"block over two lines", "a /* one\ntwo */ d", CCLSL_STRIP_COMMENTS, {"a ", " d"}},
        {"nested blocks", "a/* x /* y */ z */b", CCLSL_STRIP_COMMENTS, {"ab"}},
        {"quotes ignored without the flag", "\"//\"x", CCLSL_STRIP_COMMENTS, {"\""}},
        {"trim right only", " a \t\n \t", CCLSL_TRIM_RIGHT, {" a", ""}},
        {"remove blank", "a\n\nb\n", CCLSL_REMOVE_BLANK, {"a", "b"}},
        {"drop marked", "k=v ; note\n#x\nk=v", CCLSL_DROP_MARKED, {"k=v"}},
        {"base flags ignored", "a\n\n", 0, {"a", "", ""}},
    };
    for (const Row& r : rows) {
        CCLStringList list;
        EXPECT_EQ(list.LoadFromText(r.text, r.flags), 0);
        EXPECT_EQ(Lines(list), r.expected) << r.name;
    }
}

TEST(StringList, CommentStrippingCutsLongLinesAtItsScratch) {
    CCLStringList list;
    list.Add((std::string(5000, 'x') + "// gone").c_str());
    list.Add("/* open");
    list.Add("still inside */ after");
    list.StripComments("//", "/*", "*/", nullptr);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items.Item(0)->text.Length(), textlib::kCommentLineScratch - 1);
    EXPECT_EQ(list.Text(1), nullptr);
    EXPECT_STREQ(list.Text(2), " after");
}

TEST(StringList, AppendFlagKeepsLines) {
    CCLStringList list;
    list.LoadFromText("a", 0);
    list.LoadFromText("b", CCLSL_APPEND);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
    EXPECT_EQ(list.LoadFromText(nullptr, 0), 1);
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, LoadFromFileReadsTextModeOnceAndSkipsReloads) {
    TempFolder dir;
    const std::string path = dir.Write("list.txt", "a\r\nb\r\n");
    CCLStringList list;
    testing::internal::CaptureStdout();
    EXPECT_EQ(list.LoadFromFile(path.c_str(), 0), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "open file(read) [" + path + "(5)]\n");
    EXPECT_EQ(Lines(list), (V{"a", "b", ""}));

    list.Add("changed");
    EXPECT_EQ(list.LoadFromFile(path.c_str(), 0), 0); // same name: nothing happens
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.LoadFromFile(path.c_str(), CCLSL_RELOAD | CCLSL_REMOVE_BLANK), 1);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));

    testing::internal::CaptureStdout();
    EXPECT_EQ(list.LoadFromFile(dir.File("missing").c_str(), 0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, SaveWritesCrLfAndRoundTrips) {
    TempFolder dir;
    struct Row {
        V lines;
        std::string bytes;
    };
    const Row rows[] = {
        {{"a", "b"}, "a\r\nb"},
        {{"a", ""}, "a\r\n"},
        {{"x\r", "y"}, "x\r\r\ny"},
    };
    for (const Row& r : rows) {
        CCLStringListBase list;
        for (const std::string& line : r.lines)
            list.Add(line.c_str());
        testing::internal::CaptureStdout();
        ASSERT_EQ(list.SaveToFile(dir.File("out.txt").c_str(), 0), 1);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(dir.Read("out.txt"), r.bytes);

        CCLStringListBase back;
        back.LoadFromFile(dir.File("out.txt").c_str(), CCLSL_RELOAD);
        EXPECT_EQ(Lines(back), r.lines);
    }
}

#ifndef _WIN32 // needs a file size limit
TEST(StringList, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.Write("keep.txt", "old");
    CCLStringListBase list;
    list.Add(std::string(65536, 'n').c_str());
    testing::internal::CaptureStdout();
    {
        // A write that fails halfway, even for root; the message still fits.
        FileSizeLimit limit(4096);
        EXPECT_EQ(list.SaveToFile(path.c_str(), 0), 0);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "file open error [" + path + "]\n");
    EXPECT_EQ(dir.Read("keep.txt"), "old");

    testing::internal::CaptureStdout();
    EXPECT_EQ(list.SaveToFile(dir.File("no/such/folder.txt").c_str(), 0), 0);
    testing::internal::GetCapturedStdout();
}
#endif

TEST(StringList, SortByTextAndValue) {
    CCLStringListBase list;
    const char* texts[] = {"b", "C", "a", "ab", "B2"};
    int value = 5;
    for (const char* t : texts)
        list.Add(t)->value = value--;
    list.SortByText(0);
    EXPECT_EQ(Lines(list), (V{"ab", "a", "B2", "b", "C"})); // a prefix sorts after
    EXPECT_EQ(list.Items.Item(0)->value, 0);                // only texts survive
    list.SortByText(CCLSL_SORT_DESCENDING);
    EXPECT_EQ(Lines(list), (V{"C", "b", "B2", "a", "ab"}));

    CCLStringListBase numbers;
    for (int v : {3, -1, 2})
        numbers.AddFormat("%d", v)->value = v;
    numbers.SortByValue(0);
    EXPECT_EQ(Lines(numbers), (V{"-1", "2", "3"}));
    numbers.Clear();
    for (int v : {3, -1, 2})
        numbers.AddFormat("%d", v)->value = v;
    numbers.SortByValue(CCLSL_SORT_DESCENDING);
    EXPECT_EQ(Lines(numbers), (V{"3", "2", "-1"}));
}

TEST(StrSplitToList, ModeSelectsEmptyParts) {
    CCLStringListBase list;
    EXPECT_EQ(StrSplitToList("a;;b", ";", &list, 0x80000000), &list);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
    list.Clear();
    StrSplitToList("a;;b", ";", &list, 0);
    EXPECT_EQ(Lines(list), (V{"a", "", "b"}));
    EXPECT_EQ(StrSplitToList("", ";", &list, 0), nullptr);
}

int CompareInt(const void* a, const void* b) {
    const int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

TEST(SortArray, EveryAlgorithmSortsEverySize) {
    for (int algorithm = kSortBubble; algorithm <= kSortQuick; ++algorithm) {
        for (int count : {0, 1, 2, 11, 12, 13, 100, 1000}) {
            std::vector<int> data(count);
            for (int i = 0; i < count; ++i)
                data[i] = (i * 7919) % 97 - 40;
            std::vector<int> expected = data;
            std::sort(expected.begin(), expected.end());
            SortArray(algorithm, data.data(), count, sizeof(int), CompareInt);
            EXPECT_EQ(data, expected) << "algorithm " << algorithm << " count " << count;
        }
    }
    std::vector<int> data = {3, 1, 2};
    EXPECT_EQ(SortArray(9, data.data(), 3, sizeof(int), CompareInt), 0);
    EXPECT_EQ(data, (std::vector<int>{3, 1, 2}));
    std::vector<int> sorted = {1, 2, 3};
    EXPECT_EQ(SortArray(kSortBubble, sorted.data(), 3, sizeof(int), CompareInt), 0);
    EXPECT_EQ(SortArray(kSortSelection, data.data(), 3, sizeof(int), CompareInt), 2);
}

} // namespace

namespace {

std::filesystem::path mappedFolder;

// The bytes of path in hexadecimal, inside mappedFolder: "\x95\x5C.txt"
// (whose second byte is a backslash) -> "<folder>/955c2e747874".
std::filesystem::path IntoMappedFolder(const char* path) {
    std::string name;
    for (const char* p = path; *p; ++p) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*p));
        name += hex;
    }
    return mappedFolder / name;
}

TEST(StringList, FilesOpenThroughThePathMapper) {
    TempFolder dir;
    mappedFolder = dir.Path();
    SetTextFilePathMapper(IntoMappedFolder);
    CCLStringListBase list;
    list.Add("mapped");
    testing::internal::CaptureStdout();
    EXPECT_EQ(list.SaveToFile("\x95\x5C.txt", 0), 1);
    CCLStringListBase back;
    EXPECT_EQ(back.LoadFromFile("\x95\x5C.txt", 0), 1);
    testing::internal::GetCapturedStdout();
    SetTextFilePathMapper(nullptr);
    EXPECT_EQ(dir.Read("955c2e747874"), "mapped");
    EXPECT_STREQ(back.Text(0), "mapped");
}

} // namespace
