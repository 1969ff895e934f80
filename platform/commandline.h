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

} // namespace platform
