// The system's own CP932 converter, read once per code to build the tables
// of codepage.cpp: glibc iconv on POSIX, code page 932 of Windows (asked for
// by number, so the machine's ANSI code page plays no part).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The UTF-8 text that the system reads code (the bytes of one CP932 code,
// one or two) as; "" when the system refuses the bytes.
using SystemCp932Reader = std::function<std::string(std::string_view code)>;

// Calls use once with a reader and returns true; returns false without
// calling use when the system has no CP932 converter.
bool WithSystemCp932Reader(const std::function<void(const SystemCp932Reader&)>& use);

} // namespace platform
