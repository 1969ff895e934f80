// Splitting a parameter text into arguments by the Windows command-line
// rules, so launcher items and search templates written for Windows mean
// the same on POSIX, where arguments are passed one by one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The rules (those of the Microsoft C runtime):
// - blanks and tabs outside double quotes separate arguments; runs of them
//   count once, and leading or trailing ones give nothing;
// - a double quote opens or closes a quoted run, in which blanks are text;
//   "" inside a quoted run is one literal quote; "" outside gives an empty
//   argument;
// - 2n backslashes before a quote give n backslashes and the quote acts;
//   2n+1 give n backslashes and a literal quote; backslashes elsewhere are
//   plain text (so C:\My Dir\ stays as it is).
// The second byte of a CP932 double-byte character is never taken for a
// backslash. Examples: a "b c" d -> [a] [b c] [d]; \"x\" -> ["x"];
// "C:\Program Files\\" -> [C:\Program Files\].
[[nodiscard]] std::vector<std::string> SplitCommandLine(std::string_view text);

// A part of a command-line text that stands for a value taken whole, such
// as a file name put in for a macro.
struct CommandLineValue {
    size_t offset = 0; // where the part starts in the text
    size_t length = 0; // bytes of the text it stands in for
    std::string_view value;
};

// SplitCommandLine, except that each part of values (sorted by offset, not
// overlapping) joins the argument being built as its value, byte for byte:
// blanks, quotes and backslashes in a value are text, and backslashes of the
// text before a part stay backslashes. An argument made of nothing but an
// empty value is dropped, as empty text would give none; between quotes it
// is an empty argument. Example: -sf:"$PATH" $FILE with $PATH = C:\a b\ and
// $FILE = -e x -> [-sf:C:\a b\] [-e x].
[[nodiscard]] std::vector<std::string>
SplitCommandLine(std::string_view text, const std::vector<CommandLineValue>& values);

// The text that SplitCommandLine reads back as exactly arguments: each one
// as it is when it is not empty and holds no blank, tab or double quote,
// else between double quotes, with each quote it holds written \" and the
// backslashes before a quote or before the closing quote doubled; one blank
// between them: [a] [b c] [C:\My Dir\] [] -> a "b c" "C:\My Dir\\" "". The
// one argument that cannot come back is one ending in a lone CP932 lead
// byte, which the splitter pairs with the byte after it.
[[nodiscard]] std::string JoinCommandLine(const std::vector<std::string>& arguments);

} // namespace platform
