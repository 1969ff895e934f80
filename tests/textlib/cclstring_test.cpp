// The growable string and the library formatter.
#include "textlib/cclstring.h"
#include "textlib/textlimits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Format through a non-literal, as the conversions here are not printf's.
template <typename... Args> std::string Formatted(const char* format, Args... args) {
    CCLString s;
    const char* text = s.Format(format, args...);
    return text ? text : "";
}

TEST(CCLString, AbsentExactlyWhenEmpty) {
    CCLString s("abc");
    EXPECT_EQ(s.Length(), 3);
    s.Set("");
    EXPECT_EQ(s.Text(), nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s.Set(nullptr);
    EXPECT_EQ(s.Text(), nullptr);
    s.Cat("");
    EXPECT_EQ(s.Text(), nullptr);
    s.Cat("x");
    s.Cat("yz");
    EXPECT_STREQ(s.Text(), "xyz");
    s.Free();
    EXPECT_EQ(s.Length(), 0);
}

TEST(CCLString, ShorterSetKeepsStorage) {
    CCLString s("a longer text");
    const char* storage = s.Text();
    s.Set("short");
    EXPECT_EQ(s.Text(), storage);
    EXPECT_EQ(s.Length(), 5);
    s.Set(s.Text() + 2); // overlapping source
    EXPECT_STREQ(s.Text(), "ort");
    CCLString copy(s);
    s.Set("changed");
    EXPECT_STREQ(copy.Text(), "ort");
}

TEST(CCLString, FormatterConversionTable) {
    struct Row {
        const char* name;
        std::string actual;
        const char* expected;
    };
    const char* null = nullptr;
    const Row rows[] = {
        {"text left", Formatted("%10s|", "ab"), "ab        |"},
        {"text right", Formatted("%+10s|", "ab"), "        ab|"},
        {"text never cut", Formatted("%2s", "abcd"), "abcd"},
        {"null text prints nothing", Formatted("[%5s]", null), "[]"},
        {"c is a text", Formatted("%c", "xy"), "xy"},
        {"zero fill", Formatted("%03d", 7), "007"},
        {"dot fill", Formatted("%.3d", 7), "007"},
        {"left", Formatted("%-3d|", 7), "7  |"},
        {"last digits", Formatted("%2d", 12345), "45"},
        {"minus outside width", Formatted("%5d", -42), "-   42"},
        {"plain negative", Formatted("%d", -42), "-42"},
        {"u is signed", Formatted("%u", -1), "-1"},
        {"hex", Formatted("%x %X %x", 255, 255, 0), "ff FF 0"},
        {"hex negative", Formatted("%x", -1), "ffffffff"},
        {"star width", Formatted("%*d", 4, 9), "   9"},
        {"percent", Formatted("100%%"), "100%"},
        {"unknown", Formatted("%q!"), "%!"},
        {"fixed", Formatted("%f", 2.5), "2.500000"},
        {"fixed digits", Formatted("%2f", 3.14159), "3.14"},
        {"fixed leading zeros", Formatted("%3f", 1.05), "1.050"},
        {"trailing percent", Formatted("a%"), "a%"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.actual, r.expected) << r.name;
}

TEST(CCLString, FormatAppendsAfterPercentAmpersand) {
    CCLString s("k=v");
    const char* append = "%& #%s";
    s.Format(append, "note");
    EXPECT_STREQ(s.Text(), "k=v #note");
    s.Format(nullptr);
    EXPECT_EQ(s.Text(), nullptr);
}

TEST(CCLString, FormatAndReplaceAreCutAtTheScratch) {
    const std::string huge(100000, 'x');
    CCLString s;
    s.Format("%s", huge.c_str());
    EXPECT_EQ(s.Length(), textlib::kFormatScratch - 1);
    s.Format("%50000d", 1);
    EXPECT_LE(s.Length(), textlib::kFormatScratch - 1);
    s.Set(huge.c_str());
    s.Replace("x", "yy", -1);
    EXPECT_EQ(s.Length(), textlib::kFormatScratch - 1);
}

TEST(CCLString, FindReplaceCompareToInt) {
    CCLString s("a\\b\\c");
    EXPECT_EQ(s.Find("\\", 0), 1);
    EXPECT_EQ(s.Find("\\", 2), 1); // counted from the offset
    EXPECT_EQ(s.Find("\\", 9), -1);
    CCLString r("aXbXc");
    r.Replace("X", "-", -1);
    EXPECT_STREQ(r.Text(), "a-b-c");
    CCLString once("aXbXc");
    once.Replace("X", "-", 0);
    EXPECT_STREQ(once.Text(), "a-bXc");
    EXPECT_EQ(CCLString("ABC").CompareNoCase("abc"), 0);
    EXPECT_EQ(CCLString("ABC").Compare("abc"), -1);
    EXPECT_EQ(CCLString().Compare(""), -1); // empty is null
    EXPECT_EQ(CCLString("0x1F").ToInt(), 31);
    EXPECT_EQ(CCLString("-12").ToInt(), -12);
    EXPECT_EQ(CCLString().ToInt(), 0);
}

// An empty string has no text: it compares as null, never as "".
TEST(CCLString, EmptyComparesAsNull) {
    struct Row {
        const char* name;
        const char* value; // what the string is set to
        const char* other;
        int exact;
        int folded;
    };
    const Row rows[] = {
        {"null against null", nullptr, nullptr, 0, 0},
        {"set empty against null", "", nullptr, 0, 0},
        {"null against empty text", nullptr, "", -1, -1},
        {"set empty against empty text", "", "", -1, -1},
        {"null against text", nullptr, "a", -1, -1},
        {"text against null", "a", nullptr, 1, 1},
        {"double-byte text against null", "\x82\xa0", nullptr, 1, 1},
        {"text against empty text", "abc", "", -1, -1}, // the longer sorts first
        {"case differs", "ABC", "abc", -1, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CCLString s("placeholder");
        s.Set(r.value);
        EXPECT_EQ(s.Compare(r.other), r.exact);
        EXPECT_EQ(s.CompareNoCase(r.other), r.folded);
        // The same order read from the other side (a string cannot hold "").
        if (!r.other || *r.other) {
            const CCLString o(r.other);
            EXPECT_EQ(o.Compare(s.Text()), -r.exact);
        }
    }
}

} // namespace
