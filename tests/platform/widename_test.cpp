#include "platform/widename.h"

#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::Cp932NameToWide;
using platform::WideToCp932Name;

std::optional<std::u16string> RoundTrip(const std::u16string& wide) {
    return Cp932NameToWide(WideToCp932Name(wide));
}

TEST(WideName, EveryUnitAloneAndBetweenOthersComesBack) {
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
        const std::u16string alone(1, static_cast<char16_t>(unit));
        ASSERT_EQ(RoundTrip(alone), alone) << std::hex << static_cast<unsigned>(unit);
        const std::u16string between = u"a" + alone + u"\\" + alone + u".c";
        ASSERT_EQ(RoundTrip(between), between) << std::hex << static_cast<unsigned>(unit);
    }
}

TEST(WideName, PairsAndLoneHalvesInEveryOrderComeBack) {
    const char16_t high = 0xD83D, low = 0xDE00, otherHigh = 0xDBFF, otherLow = 0xDC00;
    const std::u16string cases[] = {
        {high, low},                 // one character beyond U+FFFF
        {low, high},                 // two lone halves, not a pair
        {high, high, low},           // a lone half, then a pair
        {high, low, low},            // a pair, then a lone half
        {otherHigh, otherLow, high}, // the last and first pair codes
        {low, u'x', high},
    };
    for (const std::u16string& wide : cases)
        EXPECT_EQ(RoundTrip(wide), wide);
}

TEST(WideName, NamesOutsideTheCodePageStayThemselvesAndApart) {
    // "¥" and "¬" have look-alikes that CP932 holds; each must stay itself.
    const std::u16string names[] = {u"\u00A5.txt",     u"\\.txt", u"\u00AC.txt", u"\uFFE2.txt",
                                    u"\U0001F600.txt", u"\u9AD9", u"\u9AD8",     u"-rf"};
    for (const std::u16string& a : names) {
        EXPECT_EQ(RoundTrip(a), a);
        for (const std::u16string& b : names) {
            if (a == b) continue;
            EXPECT_NE(WideToCp932Name(a), WideToCp932Name(b));
        }
    }
    // Texts the program writes for names CP932 holds are the plain codes.
    EXPECT_EQ(WideToCp932Name(u"\u8868.c"), "\x95\x5C.c");
    EXPECT_EQ(Cp932NameToWide("\x95\x5C.c"), u"\u8868.c");
}

TEST(WideName, TextsNoWindowsNameReadsBackAsAreRefused) {
    // The escape of the single byte 0xFF, which begins no UTF-8 sequence.
    EXPECT_EQ(Cp932NameToWide(platform::Utf8ToCp932("a\xFF")), std::nullopt);
    // A pair spelled as two lone halves would read back as one character.
    EXPECT_EQ(Cp932NameToWide(platform::Utf8ToCp932("\xED\xA0\xBD\xED\xB8\x80")), std::nullopt);
    // A byte that starts no CP932 character could name any entry.
    EXPECT_EQ(Cp932NameToWide("a\xA0"), std::nullopt);
    EXPECT_EQ(Cp932NameToWide(""), u"");
}

} // namespace
