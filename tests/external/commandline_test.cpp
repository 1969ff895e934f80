#include "platform/commandline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::SplitCommandLine;
using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const struct {
        const char* name;
        std::string text;
        Arguments expected;
    } cases[] = {
        {"empty", "", {}},
        {"only blanks", " \t  ", {}},
        {"blanks separate once", "  a   b\tc ", {"a", "b", "c"}},
        {"quotes group", "a \"b c\" d", {"a", "b c", "d"}},
        {"quotes inside a word", "-sf:\"C:\\My Dir\"\\x", {"-sf:C:\\My Dir\\x"}},
        {"empty quoted argument", "a \"\" b", {"a", "", "b"}},
        {"doubled quote inside quotes", "\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"escaped quote", "\\\"x\\\"", {"\"x\""}},
        {"backslashes stay before text", "C:\\a\\\\b\\", {"C:\\a\\\\b\\"}},
        {"even backslashes before a quote",
         "\"C:\\Program Files\\\\\" x",
         {"C:\\Program Files\\", "x"}},
        {"odd backslashes before a quote", "a\\\\\\\"b", {"a\\\"b"}},
        {"unclosed quote runs to the end", "\"a b", {"a b"}},
        {"shell characters are text", "; $(id) `x` | -n", {";", "$(id)", "`x`", "|", "-n"}},
        // 0x83 0x5C is one double-byte character; its second byte is no backslash.
        {"double-byte trail byte", "\"\x83\x5C\" z", {"\x83\x5C", "z"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text), c.expected) << c.name;
}

TEST(SplitCommandLine, ValuesJoinTheirArgumentWhole) {
    using platform::CommandLineValue;
    const struct {
        const char* name;
        std::string text;
        std::vector<CommandLineValue> values;
        Arguments expected;
    } cases[] = {
        {"blanks and quotes of a value are text",
         "-f:$V x",
         {{3, 2, "a \"b\" c"}},
         {"-f:a \"b\" c", "x"}},
        {"value between quotes", "\"$V\"", {{1, 2, "C:\\a b\\"}}, {"C:\\a b\\"}},
        {"backslashes before a value stay", "x\\$V", {{2, 2, "\"q"}}, {"x\\\"q"}},
        {"a value's last backslash does not take the text's quote",
         "\"$V\" y",
         {{1, 2, "a\\"}},
         {"a\\", "y"}},
        {"a lone empty value gives no argument", "a $V b", {{2, 2, ""}}, {"a", "b"}},
        {"an empty value between quotes is an empty argument", "a \"$V\"", {{3, 2, ""}}, {"a", ""}},
        {"two values", "$V-$W", {{0, 2, "1 2"}, {3, 2, "3"}}, {"1 2-3"}},
        {"a lead byte before a value does not take it", "\x81$V", {{1, 2, "v"}}, {"\x81v"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text, c.values), c.expected) << c.name;
}

TEST(JoinCommandLine, QuotesOnlyWhatNeedsIt) {
    const struct {
        const char* name;
        Arguments arguments;
        std::string expected;
    } cases[] = {
        {"plain", {"-sf:/src", "main.c"}, "-sf:/src main.c"},
        {"blank", {"a; touch pwned"}, "\"a; touch pwned\""},
        {"empty", {"", "x"}, "\"\" x"},
        {"quote", {"say \"hi\""}, "\"say \\\"hi\\\"\""},
        {"trailing backslash of a quoted argument doubled", {"C:\\My Dir\\"}, "\"C:\\My Dir\\\\\""},
        {"backslashes before a quote doubled plus one", {"a\\\"b"}, "\"a\\\\\\\"b\""},
        {"backslashes elsewhere stay", {"a\\b c\\\\d"}, "\"a\\b c\\\\d\""},
        {"trailing backslash without blanks stays", {"C:\\dir\\"}, "C:\\dir\\"},
        {"double-byte trail 0x5C is no backslash", {"\x95\x5C \x95\x5C"}, "\"\x95\x5C \x95\x5C\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::JoinCommandLine(c.arguments), c.expected) << c.name;
        EXPECT_EQ(SplitCommandLine(c.expected), c.arguments) << c.name;
    }
}

TEST(JoinCommandLine, EveryArgumentComesBackWhole) {
    // Every argument of up to five pieces from the pieces that matter to the
    // rules, alone and next to each other.
    const std::string pieces[] = {"a", " ", "\t", "\"", "\\", "\x95\x5C", "-"};
    std::vector<std::string> arguments{""};
    for (size_t from = 0, length = 1; length <= 5; ++length) {
        const size_t to = arguments.size();
        for (size_t i = from; i < to; ++i)
            for (const std::string& piece : pieces)
                arguments.push_back(arguments[i] + piece);
        from = to;
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const Arguments one{arguments[i]};
        ASSERT_EQ(SplitCommandLine(platform::JoinCommandLine(one)), one)
            << testing::PrintToString(arguments[i]);
        const Arguments two{arguments[i], arguments[arguments.size() - 1 - i]};
        ASSERT_EQ(SplitCommandLine(platform::JoinCommandLine(two)), two)
            << testing::PrintToString(two);
    }
}
