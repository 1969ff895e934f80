#include "commandline.h"

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
