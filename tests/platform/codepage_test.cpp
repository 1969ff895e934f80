#include "codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

struct Pair {
    const char* name;
    std::string utf8;
    std::string cp932;
};

TEST(CodePage, ConvertsBothWays) {
    const Pair cases[] = {
        {"ascii", "C:/work/a.txt", "C:/work/a.txt"},
        {"kanji", "表示", "\x95\x5C\x8E\xA6"}, // 0x5C trail byte: must not become a separator
        {"halfwidth katakana", "ﾌｫﾙﾀﾞ", "\xCC\xAB\xD9\xC0\xDE"},
        {"full-width tilde (CP932 mapping)", "～", "\x81\x60"},
        {"empty", "", ""},
    };
    for (const Pair& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.name;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
    }
}

TEST(CodePage, UnrepresentableTextSurvivesRoundTrip) {
    const struct {
        const char* name;
        std::string utf8;
    } cases[] = {
        {"latin accent", "naïve.txt"},
        {"check mark", "done✓"},
        {"emoji (4 bytes)", "a😀b"},
        {"private use", "\xEE\x80\x80"},
        {"invalid utf-8 byte", "bad\xFFname"},
        {"truncated sequence", "cut\xE3\x81"},
        {"mixed with kanji", "表✓示"},
    };
    for (const auto& c : cases) {
        const std::string cp932 = Utf8ToCp932(c.utf8);
        EXPECT_EQ(Cp932ToUtf8(cp932), c.utf8) << c.name;
    }
    // Each byte of the character becomes one double-byte character, lead 0xF0.
    EXPECT_EQ(Utf8ToCp932("✓"), "\xF0\xA3\xF0\x5C\xF0\x53");
    // Different names never collide.
    EXPECT_NE(Utf8ToCp932("é"), Utf8ToCp932("è"));
}

TEST(CodePage, BadCp932GivesReplacementNotCrash) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD"); // lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\x80z"), "\xEF\xBF\xBDz"); // not a CP932 byte
}

} // namespace
