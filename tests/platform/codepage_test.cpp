#include "platform/codepage.h"

#include "textlib/strbasic.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// What is wrong with the CP932 text written for the one character c, "" when nothing.
const char* FaultOfOne(char32_t c, const std::string& cp932) {
    if (cp932.empty()) return "empty";
    if (Cp932ToUtf8(cp932) != Utf8(c)) return "does not come back";
    // Walked as the text library walks it: a lead byte takes the byte after it.
    for (size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 == cp932.size() || !IsTrailByte(cp932[i + 1])) return "split";
            ++i;
        } else if (byte < 0x80 && c >= 0x80) {
            // An ASCII byte of its own, '/' and '\' included, only for that very character.
            return "holds an ASCII byte";
        }
    }
    // Beyond U+FFFF nothing is CP932: only escapes.
    if (c > 0xFFFF && cp932.size() != 8) return "astral not escaped";
    return "";
}

TEST(CodePage, ConvertsBothWays) {
    const struct {
        const char* name;
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"ascii", "C:/work/a.txt", "C:/work/a.txt"},
        {"kanji", "表示", "\x95\x5C\x8E\xA6"}, // 0x5C trail byte: must not become a separator
        {"halfwidth katakana", "ﾌｫﾙﾀﾞ", "\xCC\xAB\xD9\xC0\xDE"},
        {"full-width tilde (CP932 mapping)", "～", "\x81\x60"},
        {"full-width not sign", "￢", "\x81\xCA"},
        {"horizontal bar", "―", "\x81\x5C"},
        {"IBM extension written with its NEC-selected code", "髙", "\xEE\xE0"},
        {"IBM extension with a 0x5C trail in IBM's code", "纊", "\xED\x40"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.name;
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
    }
}

TEST(CodePage, LookAlikesAndVanishingCharactersAreEscapedAndStayApart) {
    // Each of these the system's converter writes as another character's
    // code (or as nothing); written so, a name would come back as another.
    const struct {
        const char* name;
        std::string utf8;
        std::string lookAlike; // what the system's converter reads back
    } cases[] = {
        {"yen sign", "¥", "\\"},
        {"overline", "‾", "~"},
        {"not sign", "¬", "￢"},
        {"em dash", "—", "―"},
        {"cent sign", "¢", "￠"},
        {"pound sign", "£", "￡"},
        {"double vertical line", "‖", "∥"},
        {"minus sign", "−", "－"},
        {"wave dash", "〜", "～"},
        {"tag space", Utf8(0xE0020), ""},
        {"cancel tag", Utf8(0xE007F), ""},
    };
    for (const auto& c : cases) {
        const std::string cp932 = Utf8ToCp932(c.utf8);
        EXPECT_EQ(static_cast<unsigned char>(cp932[0]), platform::kEscapeLead) << c.name;
        EXPECT_EQ(Cp932ToUtf8(cp932), c.utf8) << c.name;
        EXPECT_NE(cp932, Utf8ToCp932(c.lookAlike)) << c.name;
        EXPECT_NE(Utf8ToCp932(c.utf8 + ".txt"), Utf8ToCp932(c.lookAlike + ".txt")) << c.name;
    }
    // Each byte of an escaped character becomes one double-byte character, lead 0xF0.
    EXPECT_EQ(Utf8ToCp932("✓"), "\xF0\xA3\xF0\x5C\xF0\x53");
}

TEST(CodePage, EveryCharacterComesBackAloneAndAmongOthers) {
    constexpr size_t kRunSize = 1 << 20;
    std::vector<std::string> faults;
    const auto note = [&faults](char32_t c, const std::string& what) {
        if (faults.size() < 20) faults.push_back(std::to_string(c) + ": " + what);
    };
    // Neighbours of every kind: ASCII, a double-byte character with a 0x5C
    // trail, an escaped character, the character itself.
    const std::string neighbours[] = {"a", "表", "✓"};
    std::string run;
    run.reserve(kRunSize + 64);
    for (char32_t c = 0; c <= kLastCodePoint; ++c) {
        if (IsSurrogate(c)) continue;
        const std::string utf8 = Utf8(c);
        const char* fault = FaultOfOne(c, Utf8ToCp932(utf8));
        if (*fault != '\0') note(c, fault);
        for (const std::string& neighbour : neighbours)
            run.append(neighbour).append(utf8);
        run.append(utf8);
        // Long runs make the check among others cheap.
        if (run.size() > kRunSize || c == kLastCodePoint) {
            if (Cp932ToUtf8(Utf8ToCp932(run)) != run) note(c, "does not come back among others");
            run.clear();
        }
    }
    EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
}

#ifndef _WIN32 // compares with glibc iconv
// The bytes iconv writes for text, "" when it refuses.
std::string SystemCp932(iconv_t converter, const std::string& text) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) return "";
    return std::string(buffer, static_cast<size_t>(out - buffer));
}

TEST(CodePage, WritesWhatTheSystemWritesWheneverThatComesBackExact) {
    // Files written by earlier builds keep reading as they did: every code the
    // system's converter writes and reads back exactly is still written so.
    const iconv_t converter = iconv_open("CP932", "UTF-8");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    int asBefore = 0;
    int escaped = 0;
    int moved = 0;
    for (char32_t c = 0x80; c <= kLastCodePoint; ++c) {
        if (IsSurrogate(c)) continue;
        const std::string utf8 = Utf8(c);
        const std::string system = SystemCp932(converter, utf8);
        const std::string ours = Utf8ToCp932(utf8);
        const bool privateUse = c >= 0xE000 && c <= 0xF8FF;
        const bool exact = !system.empty() && Cp932ToUtf8(system) == utf8 && !privateUse;
        if (exact && IsLeadByte(system[0]) == (system.size() == 2)) {
            EXPECT_EQ(ours, system) << "U+" << std::hex << static_cast<int>(c);
            ++asBefore;
        } else if (exact) {
            // IBM extensions (lead 0xFA-0xFC): the other code of the same character.
            EXPECT_EQ(ours.size(), 2U) << "U+" << std::hex << static_cast<int>(c);
            ++moved;
        } else {
            // Beyond U+FFFF the system writes nothing at all.
            if (c > 0xFFFF) {
                EXPECT_EQ(system, "") << "U+" << std::hex << static_cast<int>(c);
            }
            EXPECT_EQ(static_cast<unsigned char>(ours[0]), platform::kEscapeLead);
            ++escaped;
        }
    }
    iconv_close(converter);
    EXPECT_EQ(asBefore, 7016);
    EXPECT_EQ(moved, 373);
}

#endif

TEST(CodePage, AnyBytesComeBack) {
    // Every text of up to four bytes from an alphabet of the bytes that
    // matter to UTF-8 (bounds of leads and continuation bytes, overlong and
    // surrogate leads) and to the escapes.
    const std::string alphabet("a/\\\x00\x7F\x80\xBF\xC0\xC1\xC2\xDF\xE0\xED\xEF\xF0\xF4\xF5\xFF",
                               18);
    std::vector<std::string> texts{""};
    for (size_t from = 0, length = 1; length <= 4; ++length) {
        const size_t to = texts.size();
        for (size_t i = from; i < to; ++i)
            for (char byte : alphabet)
                texts.push_back(texts[i] + byte);
        from = to;
    }
    for (unsigned pair = 0; pair <= 0xFFFF; ++pair)
        texts.push_back({static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)});
    for (const std::string& text : texts) {
        const std::string cp932 = Utf8ToCp932(text);
        ASSERT_EQ(Cp932ToUtf8(cp932), text) << testing::PrintToString(text);
        ASSERT_EQ(cp932.empty(), text.empty());
    }
}

TEST(CodePage, Cp932TextSettlesAfterOneRound) {
    // Every one- and two-byte CP932 text: once converted to UTF-8 and back
    // it stays, and a code this converter writes comes back unchanged.
    for (unsigned pair = 0; pair <= 0xFFFF + 0x100; ++pair) {
        const std::string text = pair <= 0xFFFF ? std::string{static_cast<char>(pair >> 8),
                                                              static_cast<char>(pair & 0xFF)}
                                                : std::string(1, static_cast<char>(pair));
        const std::string once = Utf8ToCp932(Cp932ToUtf8(text));
        ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(once)), once) << testing::PrintToString(text);
    }
    // What changes in the first round.
    const struct {
        const char* name;
        std::string cp932;
        std::string settled;
    } cases[] = {
        {"NEC row 13 duplicate of a JIS symbol", "\x87\x90", "\x81\xE0"}, // ≒
        {"IBM extension", "\xFB\xFC", "\xEE\xE0"},                        // 髙
        {"IBM extension, 0x5C trail", "\xFA\x5C", "\xED\x40"},            // 纊
        {"escape", "\xF0\x40", "\xF0\x40"},
        {"user-defined character: its private-use character, escaped", "\xF1\x40",
         Utf8ToCp932("\xEE\x82\xBC")},
        {"bad byte: U+FFFD, escaped", "\x80", Utf8ToCp932("\xEF\xBF\xBD")},
        {"lead byte at the end", "a\x81", "a" + Utf8ToCp932("\xEF\xBF\xBD")},
        {"lead byte before a byte that is no trail", "\x81\x20", Utf8ToCp932("\xEF\xBF\xBD ")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(c.cp932)), c.settled) << c.name;
}

TEST(CodePage, ValidUtf8Length) {
    const struct {
        const char* name;
        std::string text;
        size_t length;
    } cases[] = {
        {"ascii", "a", 1},
        {"two bytes", "é", 2},
        {"three bytes", "表", 3},
        {"four bytes", "😀", 4},
        {"continuation", "\x80", 0},
        {"overlong", "\xC0\xAF", 0},
        {"surrogate", "\xED\xA0\x80", 0},
        {"truncated", "\xE3\x81", 0},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ValidUtf8Length(c.text, 0), c.length) << c.name;
}

} // namespace

TEST(CodePage, FileSystemNameRefusesOnlyBadBytes) {
    const struct {
        const char* name;
        std::string cp932;
        std::optional<std::string> expected;
    } cases[] = {
        {"written by this converter", Utf8ToCp932("¬ ￢.txt"), "¬ ￢.txt"},
        {"IBM extension as Windows writes it", "\xFB\xFC.txt", "髙.txt"},
        {"escapes give their bytes", Utf8ToCp932("a\xFF"), "a\xFF"},
        {"empty", "", ""},
        {"bad byte", "a\x80.txt", std::nullopt},
        {"lead byte at the end", "a\x81", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::FileSystemName(c.cp932), c.expected) << c.name;
}
