// Comparison, searching, editing, splitting and number conversion of
// Shift-JIS byte strings.
#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/stredit.h"
#include "textlib/strnumber.h"
#include "textlib/strsearch.h"
#include "textlib/strsplit.h"
#include "textlib/textlimits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "表" is 0x95 0x5C: its second byte is a backslash.
const std::string kHyo = "\x95\x5C";
// "ア" is 0x83 0x41 and "ャ" 0x83 0x61: second bytes are "A" and "a".
const std::string kKatakanaA = "\x83\x41";
const std::string kKatakanaSmallYa = "\x83\x61";

TEST(StrCompare, OrderingTable) {
    struct Row {
        const char* name;
        const char* a;
        const char* b;
        int exact;
        int folded;
    };
    const std::string wideA = kKatakanaA, wideYa = kKatakanaSmallYa;
    const Row rows[] = {
        {"equal", "abc", "abc", 0, 0},
        {"longer sorts first", "abc", "ab", -1, -1},
        {"prefix sorts after", "ab", "abc", 1, 1},
        {"case differs", "ABC", "abc", -1, 0},
        {"unsigned bytes", "\x7f", "a", 1, 1},
        {"double-byte above single", wideA.c_str(), "z", 1, 1},
        {"double-byte not folded", wideA.c_str(), wideYa.c_str(), -1, -1},
        {"null before text", nullptr, "", -1, -1},
        {"two nulls", nullptr, nullptr, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(StrCompare(r.a, r.b), r.exact) << r.name;
        EXPECT_EQ(StrCompareNoCase(r.a, r.b), r.folded) << r.name;
    }
    EXPECT_EQ(StrCompareN("abX", "abY", 2, 0), 0);
}

TEST(StrFind, OneByteSearchSkipsSecondBytes) {
    const std::string path = "C:\\" + kHyo + "\\x";
    EXPECT_EQ(StrFind(path.c_str(), "\\"), 2);
    const std::string onlyWide = "ab" + kHyo;
    EXPECT_EQ(StrFind(onlyWide.c_str(), "\\"), -1);
    // A longer pattern is matched byte by byte and may start inside a character.
    EXPECT_EQ(StrFind(onlyWide.c_str(), "\\"), -1);
    const std::string cross = kHyo + "x";
    EXPECT_EQ(StrFind(cross.c_str(), "\\x"), 1);
}

TEST(StrFind, MultiByteAndMissingPatterns) {
    EXPECT_EQ(StrFind("hello world", "world"), 6);
    EXPECT_EQ(StrFind("hello", "hello!"), -1);
    EXPECT_EQ(StrFind("hello", ""), -1);
    EXPECT_EQ(StrFind("aaab", "ab"), 2);
    EXPECT_EQ(StrFind("abcabd", "abd"), 3);
    EXPECT_EQ(StrRScanAfter("a\\b\\c", '\\'), 4);
    EXPECT_EQ(StrRScanAfter("abc", '\\'), 0);
    EXPECT_EQ(StrHasOther("  \t", " \t"), 0);
    EXPECT_EQ(StrHasOther(" x", " \t"), 1);
    EXPECT_EQ(StrHasOther("", " "), 0);
}

TEST(StrReplace, FirstOrEveryOccurrence) {
    char buffer[64] = "aXbXc";
    StrReplace(buffer, sizeof buffer, "X", "YY", -1);
    EXPECT_STREQ(buffer, "aYYbYYc");

    char once[64] = "aXbXc";
    StrReplace(once, sizeof once, "X", "YY", 0);
    EXPECT_STREQ(once, "aYYbXc");

    // A replacement that holds the search text does not loop.
    char grow[64] = "aa";
    StrReplace(grow, sizeof grow, "a", "aa", -1);
    EXPECT_STREQ(grow, "aaaa");

    char removed[64] = "$PATH/x";
    StrReplace(removed, sizeof removed, "$PATH", nullptr, -1);
    EXPECT_STREQ(removed, "/x");
}

TEST(StrReplace, NeverWritesPastTheBuffer) {
    char buffer[8 + 4];
    std::memcpy(buffer, "aXbXc\0\0\0\xAA\xAA\xAA\xAA", 12);
    StrReplace(buffer, 8, "X", "YYYY", -1);
    EXPECT_STREQ(buffer, "aYYYYbY");
    EXPECT_EQ(static_cast<unsigned char>(buffer[8]), 0xAA);

    char pattern[16];
    std::string longText(15, 'X');
    std::memcpy(pattern, longText.c_str(), 16);
    StrReplace(pattern, sizeof pattern, "X", "12345", -1);
    EXPECT_EQ(std::strlen(pattern), 15u);
}

TEST(StrTrim, SidesAndLimits) {
    char both[] = " \tab c\t ";
    EXPECT_STREQ(StrTrim(both, " \t", 0, 0), "ab c");
    char left[] = "   x  ";
    EXPECT_STREQ(StrTrim(left, " ", 0, -1), "x  ");
    char limited[] = "   x   ";
    EXPECT_STREQ(StrTrim(limited, " ", 1, 2), "  x ");
    char empty[] = "";
    EXPECT_EQ(StrTrim(empty, " ", 0, 0), nullptr);
    // The backslash inside 表 is not a trailing character of its own.
    std::string wide = "a" + kHyo;
    EXPECT_STREQ(StrTrim(wide.data(), "\\", 0, 0), wide.c_str());
}

TEST(StrRemoveChars, KeepsDoubleByteCharacters) {
    std::string text = "(a" + kHyo + ")\\";
    StrRemoveChars(text.data(), "()\\");
    EXPECT_STREQ(text.c_str(), ("a" + kHyo).c_str());
}

TEST(StrExtract, MarkersAndNesting) {
    char out[32] = "untouched";
    EXPECT_EQ(StrExtract("key=[value]", "[", "]", out, sizeof out, 0), 1);
    EXPECT_STREQ(out, "value");
    EXPECT_EQ(StrExtract("f(a(b)c)d", "(", ")", out, sizeof out, -1), 1);
    EXPECT_STREQ(out, "a(b)c");
    EXPECT_EQ(StrExtract("f(a(b)c)d", "(", ")", out, sizeof out, 0), 1);
    EXPECT_STREQ(out, "a(b");
    std::strcpy(out, "untouched");
    EXPECT_EQ(StrExtract("no marker", "[", "]", out, sizeof out, 0), 0);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(StrExtract("rest", nullptr, nullptr, out, sizeof out, 0), 1);
    EXPECT_STREQ(out, "rest");
}

TEST(StrSplit, PartsAndSeparators) {
    char buffer[64];
    ASSERT_EQ(StrSplit("a;;b", ";", buffer, sizeof buffer), 3);
    EXPECT_STREQ(StrNth(buffer, 0), "a");
    EXPECT_STREQ(StrNth(buffer, 1), "");
    EXPECT_STREQ(StrNth(buffer, 2), "b");
    EXPECT_EQ(StrSplit("a;", ";", buffer, sizeof buffer), 2);
    EXPECT_EQ(StrSplit("", ";", buffer, sizeof buffer), 0);
    EXPECT_EQ(StrSplit(nullptr, ";", buffer, sizeof buffer), 0);
    // The second byte of 表 is a backslash but no separator.
    const std::string path = "C:\\" + kHyo + "\\x";
    ASSERT_EQ(StrSplit(path.c_str(), "\\", buffer, sizeof buffer), 3);
    EXPECT_STREQ(StrNth(buffer, 1), kHyo.c_str());
}

TEST(StrSplit, LineBreakAfterALeadByteStillSeparates) {
    char buffer[64];
    ASSERT_EQ(StrSplit("a\x82\nb\x82\rc", "\r\n", buffer, sizeof buffer), 3);
    EXPECT_STREQ(StrNth(buffer, 0), "a\x82");
    EXPECT_STREQ(StrNth(buffer, 1), "b\x82");
    EXPECT_STREQ(StrNth(buffer, 2), "c");
}

TEST(StrSplit, LongTextIsCutAtACharacterBoundary) {
    std::string text(10, 'a');
    text += kHyo; // bytes 10 and 11
    char buffer[12];
    EXPECT_EQ(StrSplit(text.c_str(), ";", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "aaaaaaaaaa");
}

TEST(StrFromInt, FormatsTable) {
    struct Row {
        int32_t value;
        int width;
        uint32_t flags;
        const char* expected;
    };
    const Row rows[] = {
        {1234567, 0, kIntThousands, "1,234,567"},
        {123, 0, kIntThousands, "123"},
        {-1234, 0, kIntThousands, "-1,234"},
        {0, 0, kIntThousands, "0"},
        {-5, 3, kIntZeroFill, "-005"},
        {7, 3, 0, "  7"},
        {7, 3, kIntLeftJustify, "7  "},
        {12345, 2, 0, "45"},
        {5, 0, kIntAlwaysSign, "+5"},
        {-5, 0, kIntNoMinus, "5"},
        {255, 0, kIntHex, "ff"},
        {255, 4, kIntHex | kIntHexUpper | kIntZeroFill, "00FF"},
        {-1, 0, kIntHex, "ffffffff"},
        {INT32_MIN, 0, 0, "-2147483648"},
    };
    for (const Row& r : rows) {
        char out[textlib::kNumberScratch];
        EXPECT_STREQ(StrFromInt(r.value, out, r.width, r.flags), r.expected)
            << r.value << " width " << r.width;
    }
}

TEST(StrFromInt, FullWidthAndHugeWidthStayInBounds) {
    char out[textlib::kNumberScratch];
    EXPECT_STREQ(StrFromInt(12, out, 0, kIntFullWidth), "\x82\x50\x82\x51");
    StrFromInt(-1, out, 100000, kIntFullWidth | kIntZeroFill);
    EXPECT_LT(std::strlen(out), sizeof out);
}

TEST(StrToInt, ConversionTable) {
    struct Row {
        const char* text;
        int32_t expected;
    };
    const Row rows[] = {
        {"0x1F", 31},
        {"0X00ff", 255},
        {"-42", -42},
        {"+7", 7},
        {"1,234", 1234},
        {"12z", 12},
        {"abc", 1122},
        {"1.5", 105},
        {"", 0},
        {nullptr, 0},
        {"z12", 0},
        {"\x82\x50\x82\x51", 12}, // full-width 12
        {"\x81\x7C\x82\x52", -3}, // full-width minus and 3
        {"4294967297", 1},        // wraps, never traps
    };
    for (const Row& r : rows)
        EXPECT_EQ(StrToInt(r.text), r.expected) << (r.text ? r.text : "null");
    EXPECT_EQ(HexDigitValue(','), -1);
    EXPECT_EQ(HexDigitValue('g'), 0);
}

TEST(StrToInt, LongInputIsReadOnlyToTheScratch) {
    const std::string digits(100000, '1');
    EXPECT_NO_FATAL_FAILURE(StrToInt(digits.c_str()));
}

TEST(NumberWidth, NarrowAndWideRoundTrip) {
    char text[] = "\x82\x50\x81\x43\x82\x60x?rest";
    EXPECT_STREQ(StrToNarrowNumber(text), "1,Ax");
    char wide[16];
    StrToWideNumber("1,Ax", wide, sizeof wide);
    EXPECT_STREQ(wide, "\x82\x50\x81\x43\x82\x60\x82\x98");
    char small[5];
    EXPECT_STREQ(StrToWideNumber("123", small, sizeof small), "\x82\x50\x82\x51");
}

TEST(StrBasic, CopyCaseAndReverse) {
    char buffer[8];
    EXPECT_STREQ(StrCopyN(buffer, "abcdef", 3), "abc");
    EXPECT_STREQ(StrCopyN(buffer, "ab", 5), "ab");
    EXPECT_STREQ(StrCopy(buffer, nullptr), "");
    char mixed[] = "aBc1";
    EXPECT_STREQ(StrUpper(mixed), "ABC1");
    EXPECT_STREQ(StrLower(mixed), "abc1");
    EXPECT_STREQ(StrReverse(mixed), "1cba");
    EXPECT_STREQ(StrReverseN(mixed, 2), "c1ba");
    EXPECT_EQ(IsLeadByte(0xF5), 1);
    EXPECT_EQ(IsLeadByte(0xF6), 0);
    EXPECT_EQ(IsLeadByte(0xA0), 0);
    EXPECT_EQ(IsTrailByte(0x7F), 0);
}

} // namespace
