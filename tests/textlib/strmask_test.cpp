// Wildcard mask matching.
#include "textlib/strmask.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MaskMatch, Table) {
    struct Row {
        const char* name;
        const char* mask;
        int expected;
    };
    const Row rows[] = {
        {"README.TXT", "*.txt", 1},
        {"readme.txt", "*.TXT", 1},
        {"Makefile", "*.*", 0},
        {"a.c", "*.*", 1},
        {"a.c", "?.c", 1},
        {"ab.c", "?.c", 0},
        {".c", "?.c", 0},
        {"abc", "abc?", 1},
        {"abcdef", "abc?", 1},
        {"ab", "abc?", 0},
        {"a.txt.txt", "*.txt", 1},
        {"a.txt.bak", "*.txt", 0},
        {"main.cpp", "m*n.c*", 1},
        {"", "", 1},
        {"", "*", 1},
        {"x", "", 0},
        {"abc", "a*b*c", 1},
        {"acb", "a*b*c", 0},
        {"mississippi", "*sip*", 1},
        {"mississippi", "m*iss*ppi", 1},
        {"a.c", "*?.c", 1},
        {"x", "*?", 1},
        {"aaa", "a*a*a*a", 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MaskMatch(r.name, r.mask), r.expected) << r.name << " ~ " << r.mask;
    EXPECT_EQ(MaskMatch(nullptr, "*"), 1);
}

TEST(MaskMatch, DoubleByteCharacters) {
    const std::string hyo = "\x95\x5C";     // second byte is a backslash
    const std::string kataA = "\x83\x41";   // second byte "A"
    const std::string smallYa = "\x83\x61"; // second byte "a"
    EXPECT_EQ(MaskMatch((hyo + ".txt").c_str(), "*.txt"), 1);
    EXPECT_EQ(MaskMatch((hyo + ".txt").c_str(), "?.txt"), 1); // one character, two bytes
    EXPECT_EQ(MaskMatch((kataA + "x").c_str(), (kataA + "*").c_str()), 1);
    // Letters fold, but never the second byte of a double-byte character.
    EXPECT_EQ(MaskMatch(kataA.c_str(), smallYa.c_str()), 0);
    // A mask "\" must not match the second byte of 表.
    EXPECT_EQ(MaskMatch(hyo.c_str(), "?\\"), 0);
    EXPECT_EQ(MaskMatch(hyo.c_str(), "*\\"), 0);
    // A single-byte mask character never matches a lead byte.
    EXPECT_EQ(MaskMatch(hyo.c_str(), "\x95?"), 0);
}

TEST(MaskMatch, PathologicalMasksStayFast) {
    const std::string name(100000, 'a');
    std::string mask;
    for (int i = 0; i < 200; ++i)
        mask += "*a";
    mask += "*b";
    EXPECT_EQ(MaskMatch(name.c_str(), mask.c_str()), 0);
    EXPECT_EQ(MaskMatch((name + "b").c_str(), mask.c_str()), 1);
}

TEST(MaskMatchList, SplitsAtSemicolons) {
    EXPECT_EQ(MaskMatchList("x.h", "*.c;*.h"), 1);
    EXPECT_EQ(MaskMatchList("x.cpp", "*.c;*.h"), 0);
    EXPECT_EQ(MaskMatchList("x.h", ""), 0);
    EXPECT_EQ(MaskMatchList("", "*.c;"), 1); // an empty part matches an empty name
    EXPECT_EQ(MaskMatchList("x", "*.c;"), 0);
    const std::string longList(5000, ';');
    EXPECT_EQ(MaskMatchList("x", (longList + "*").c_str()), 0); // cut before the star
}

} // namespace
